#include "serializertesthelpers.h"

using namespace serializertest;

// How a reader moves through a document: labelled reads skip unknown entries, peeks do not
// move, contexts are left with their rest unread, and every failure names where it happened.
class tst_DeserializeNavigation : public QObject
{
    Q_OBJECT
private slots:
    void labelledReadsSkipForwardOnly_data() { formats(); }
    void labelledReadsSkipForwardOnly();
    void peeksDoNotMove_data() { formats(); }
    void peeksDoNotMove();
    void elementLoopReadsConsecutiveRecords_data() { formats(); }
    void elementLoopReadsConsecutiveRecords();
    void endContextSkipsTheRest_data() { formats(); }
    void endContextSkipsTheRest();
    void emptyContextsAndEnd_data() { formats(); }
    void emptyContextsAndEnd();
    void missingAndMistypedEntriesAreNamed_data() { formats(); }
    void missingAndMistypedEntriesAreNamed();
    void misuseIsABug_data() { formats(); }
    void misuseIsABug();
    void genericWalkCopiesEverything_data() { formats(); }
    void genericWalkCopiesEverything();
    void contextGuardClosesOnlyWithoutException();

private:
    static void formats();
};

namespace {

// A document shaped like a saved form: information, two element records, a trailer.
QByteArray formDocument(int format)
{
    auto w = createWriter(format, "Form");
    w->setLabel("FormInfo");
    w->beginContext("FormInfo");
    w->setLabel("Type");
    w->writeAscii("Dialog");
    w->setLabel("Name");
    w->writeString("Address book");
    w->setLabel("VH");
    w->writeUInt(1);
    w->setLabel("VL");
    w->writeUInt(2);
    w->endContext();
    for (const char *element : {"Button", "Label"}) {
        w->setLabel("ViewElement");
        w->beginContext("ViewElement");
        w->setLabel("Element");
        w->beginContext(element);
        w->setLabel("Unknown");
        w->writeDouble(1.5);
        w->setLabel("Text");
        w->writeString(element);
        w->endContext();
        w->endContext();
    }
    w->setLabel("Trailer");
    w->writeInt64(-3);
    return bytesOf(*w);
}

} // namespace

void tst_DeserializeNavigation::formats()
{
    addFormatColumn();
    newRow(Xml, "form");
    newRow(Binary, "form");
}

void tst_DeserializeNavigation::labelledReadsSkipForwardOnly()
{
    QFETCH(int, format);
    auto r = createReader(format, formDocument(format));
    r->beginContext("FormInfo");
    QCOMPARE(r->readUInt("VL"), 2u);
    // "Type" lies behind the cursor now.
    QVERIFY(!r->hasEntry("Type"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->readAscii("Type"));
    QVERIFY(r->atEnd());
    r->endContext();
    QCOMPARE(r->readInt64("Trailer"), -3);
    QVERIFY(r->atEnd());
}

void tst_DeserializeNavigation::peeksDoNotMove()
{
    QFETCH(int, format);
    auto r = createReader(format, formDocument(format));
    QCOMPARE(r->currentContextName(), vstd::cAsciiString("Form"));
    QCOMPARE(r->documentName(), vucs::cString("Form"));
    QVERIFY(r->hasEntry("Trailer"));
    QVERIFY(r->hasEntry("ViewElement"));
    QVERIFY(!r->hasEntry("Element"));   // only inside the records
    QCOMPARE(r->contextName("ViewElement"), vstd::cAsciiString("ViewElement"));
    QCOMPARE(r->nextEntryKind(), vsa::cAbstractDeserializer::ContextEntry);
    QCOMPARE(r->nextEntryLabel(), vstd::cAsciiString("FormInfo"));
    const vucs::cString before = r->location();
    r->beginContext("FormInfo");
    QCOMPARE(r->currentContextName(), vstd::cAsciiString("FormInfo"));
    QCOMPARE(r->readAscii("Type"), vstd::cAsciiString("Dialog"));
    QVERIFY(r->location() != before);
    QVERIFY(r->location().text().startsWith(QStringLiteral("memory:")));
}

void tst_DeserializeNavigation::elementLoopReadsConsecutiveRecords()
{
    QFETCH(int, format);
    auto r = createReader(format, formDocument(format));
    QStringList seen;
    while (!r->atEnd() && r->hasEntry("ViewElement")) {
        vsa::cContext record(*r, "ViewElement");
        const vstd::cAsciiString element = r->contextName("Element");
        QCOMPARE(r->currentContextName(), vstd::cAsciiString("ViewElement"));
        vsa::cContext body(*r, "Element");
        seen << qstr(element) + QLatin1Char('=') + qstr(r->readString("Text"));
        body.release();
        record.release();
    }
    QCOMPARE(seen, QStringList({"Button=Button", "Label=Label"}));
    QCOMPARE(r->readInt64("Trailer"), -3);
}

void tst_DeserializeNavigation::endContextSkipsTheRest()
{
    QFETCH(int, format);
    auto r = createReader(format, formDocument(format));
    r->beginContext("ViewElement");
    r->beginContext("Element");
    r->endContext();      // nothing of the element read
    QVERIFY(r->atEnd());
    r->endContext();
    QCOMPARE(r->nextEntryLabel(), vstd::cAsciiString("ViewElement"));
    r->beginContext("ViewElement");
    r->beginContext("Element");
    QCOMPARE(r->currentContextName(), vstd::cAsciiString("Label"));
}

void tst_DeserializeNavigation::emptyContextsAndEnd()
{
    QFETCH(int, format);
    auto w = createWriter(format);
    w->setLabel("a");
    w->beginContext("Empty");
    w->endContext();
    w->setLabel("b");
    w->beginContext("Outer");
    w->beginContext("Inner");
    w->endContext();
    w->endContext();
    auto r = reread(format, *w);
    r->beginContext("a");
    QVERIFY(r->atEnd());
    QCOMPARE(r->nextEntryKind(), vsa::cAbstractDeserializer::NoEntry);
    QVERIFY(!r->hasEntry(""));
    r->endContext();
    r->beginContext("b");
    QVERIFY(!r->atEnd());
    QCOMPARE(r->contextName(""), vstd::cAsciiString("Inner"));
    QCOMPARE(r->nextEntryLabel(), vstd::cAsciiString());
    r->beginContext("");
    QVERIFY(r->atEnd());
    r->endContext();
    QVERIFY(r->atEnd());
    r->endContext();
    QVERIFY(r->atEnd());
}

void tst_DeserializeNavigation::missingAndMistypedEntriesAreNamed()
{
    QFETCH(int, format);
    auto r = createReader(format, formDocument(format));
    const QString where = format == Xml ? QStringLiteral("line") : QStringLiteral("byte");
    r->beginContext("FormInfo");
    const QString missing = messageOf<vstd::cRuntimeException>([&] { r->readUInt("Build"); });
    QVERIFY2(missing.contains(QLatin1String("uint \"Build\"")) && missing.contains("memory")
                 && missing.contains(where),
             qPrintable(missing));
    // A mistyped read names both types and leaves the cursor where it was.
    const QString mistyped = messageOf<vstd::cRuntimeException>([&] { r->readUInt("Name"); });
    QVERIFY2(mistyped.contains(QLatin1String("uint \"Name\""))
                 && mistyped.contains(QLatin1String("found string \"Name\"")),
             qPrintable(mistyped));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->beginContext("Type"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->contextName("Type"));
    QCOMPARE(r->readAscii("Type"), vstd::cAsciiString("Dialog"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->readBytes("Name"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->readBool("VH"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->readInt64("VH"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->readDouble("VH"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->readString("VH"));
    QCOMPARE(r->readUInt("VH"), 1u);
    QCOMPARE(r->readUInt(""), 2u);
    const QString atEnd = messageOf<vstd::cRuntimeException>([&] { r->readAscii(""); });
    QVERIFY2(atEnd.contains(QLatin1String("ascii in memory")), qPrintable(atEnd));
}

void tst_DeserializeNavigation::misuseIsABug()
{
    QFETCH(int, format);
    auto r = createReader(format, formDocument(format));
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, r->endContext());
    r->beginContext("FormInfo");
    r->endContext();
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, r->endContext());

    auto w = createWriter(format);
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, w->endContext());
    w->beginContext("Open");
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, bytesOf(*w));
}

void tst_DeserializeNavigation::genericWalkCopiesEverything()
{
    QFETCH(int, format);
    const QByteArray original = formDocument(format);
    // Through the other format and back: nothing lost, nothing added.
    const int other = format == Xml ? Binary : Xml;
    auto r = createReader(format, original);
    auto w = createWriter(other, r->documentName());
    vsa::cDocumentCopy::copyRest(*r, *w);
    auto back = reread(other, *w);
    auto again = createWriter(format, back->documentName());
    vsa::cDocumentCopy::copyRest(*back, *again);
    QCOMPARE(bytesOf(*again), original);
}

void tst_DeserializeNavigation::contextGuardClosesOnlyWithoutException()
{
    auto w = createWriter(Binary);
    {
        vsa::cContext open(*w, "Closed");
    }
    try {
        vsa::cContext open(*w, "Abandoned");
        throw vstd::cRuntimeException("$VTR$failure");
    } catch (const vstd::cRuntimeException &) {
    }
    // The abandoned context is still open: the document cannot be completed.
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, bytesOf(*w));
    w->endContext();
    auto r = reread(Binary, *w);
    QCOMPARE(r->contextName(""), vstd::cAsciiString("Closed"));
    r->beginContext("");
    r->endContext();
    QCOMPARE(r->contextName(""), vstd::cAsciiString("Abandoned"));
}

QTEST_GUILESS_MAIN(tst_DeserializeNavigation)
#include "tst_deserializenavigation.moc"
