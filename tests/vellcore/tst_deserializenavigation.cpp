#include "serializertesthelpers.h"

using namespace serializertest;

// How a reader moves through a document: labelled reads skip unknown entries, peeks do not
// move, contexts are left with their rest unread, and every failure names where it happened.
class tst_DeserializeNavigation : public QObject
{
    Q_OBJECT
private slots:
    void labelledReadsSkipForwardAndPeeksStay();
    void elementLoopReadsConsecutiveRecords();
    void emptyContextsAndEnd();
    void missingAndMistypedEntriesAreNamed();
    void unlabelledDocumentsAreReadInOrder();
    void misuseIsABug();
    void genericWalkCopiesEverything();
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

void tst_DeserializeNavigation::labelledReadsSkipForwardAndPeeksStay()
{
    for (int format : {Xml, Binary}) {
        auto r = createReader(format, formDocument(format));
        QCOMPARE(r->currentContextName(), vstd::cAsciiString("Form"));
        QVERIFY(r->hasEntry("Trailer"));
        QVERIFY(!r->hasEntry("Element"));   // only inside the records
        QCOMPARE(r->contextName("ViewElement"), vstd::cAsciiString("ViewElement"));
        QCOMPARE(r->nextEntryKind(), vsa::cAbstractDeserializer::ContextEntry);
        QCOMPARE(r->nextEntryLabel(), vstd::cAsciiString("FormInfo"));
        const vucs::cString start = r->location();
        r->beginContext("FormInfo");
        QVERIFY(r->location() != start);
        QCOMPARE(r->currentContextName(), vstd::cAsciiString("FormInfo"));
        QCOMPARE(r->readUInt("VL"), 2u);
        // "Type" lies behind the cursor now.
        QVERIFY(!r->hasEntry("Type"));
        QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->readAscii("Type"));
        QVERIFY(r->atEnd());
        r->endContext();
        r->beginContext("ViewElement");
        r->beginContext("Element");
        r->endContext();   // nothing of the element read
        QVERIFY(r->atEnd());
        r->endContext();
        QCOMPARE(r->readInt64("Trailer"), -3);
        QVERIFY(r->atEnd());
    }
}

void tst_DeserializeNavigation::elementLoopReadsConsecutiveRecords()
{
    for (int format : {Xml, Binary}) {
        auto r = createReader(format, formDocument(format));
        QStringList seen;
        while (!r->atEnd() && r->hasEntry("ViewElement")) {
            vsa::cContext record(*r, "ViewElement");
            const vstd::cAsciiString element = r->contextName("Element");
            vsa::cContext body(*r, "Element");
            seen << qstr(element) + QLatin1Char('=') + qstr(r->readString("Text"));
        }
        QCOMPARE(seen, QStringList({"Button=Button", "Label=Label"}));
        QCOMPARE(r->readInt64("Trailer"), -3);

        // The same loop entering each record at once, past the entries before it.
        r = createReader(format, formDocument(format));
        seen.clear();
        vstd::cAsciiString record, element;
        while (r->beginNextContext("ViewElement", record)) {
            QVERIFY(r->beginNextContext("Element", element));
            seen << qstr(element) + QLatin1Char('=') + qstr(r->readString("Text"));
            QVERIFY(!r->beginNextContext("Element", element));
            r->endContext();
            r->endContext();
        }
        QCOMPARE(seen, QStringList({"Button=Button", "Label=Label"}));
        QCOMPARE(record, vstd::cAsciiString("ViewElement"));
        // A value is no context to enter; the cursor stays before it.
        const QString thrown =
            messageOf<vstd::cRuntimeException>([&] { r->beginNextContext("Trailer", element); });
        QVERIFY2(thrown.contains(QLatin1String("found int64 \"Trailer\"")), qPrintable(thrown));
        QCOMPARE(r->readInt64("Trailer"), -3);
    }
}

void tst_DeserializeNavigation::emptyContextsAndEnd()
{
    for (int format : {Xml, Binary}) {
        auto w = createWriter(format);
        w->beginContext("Outer");
        w->beginContext("Inner");
        w->endContext();
        w->endContext();
        auto r = reread(format, *w);
        QCOMPARE(r->nextEntryLabel(), vstd::cAsciiString());
        r->beginContext("");
        QCOMPARE(r->contextName(""), vstd::cAsciiString("Inner"));
        r->beginContext("");
        QVERIFY(r->atEnd());
        QCOMPARE(r->nextEntryKind(), vsa::cAbstractDeserializer::NoEntry);
        QVERIFY(!r->hasEntry(""));
        r->endContext();
        QVERIFY(r->atEnd());
        r->endContext();
        QVERIFY(r->atEnd());
    }
}

void tst_DeserializeNavigation::missingAndMistypedEntriesAreNamed()
{
    for (int format : {Xml, Binary}) {
        auto r = createReader(format, formDocument(format));
        const QString where = QLatin1String(format == Xml ? "at line " : "at byte ");
        r->beginContext("FormInfo");
        const QString missing = messageOf<vstd::cRuntimeException>([&] { r->readUInt("Build"); });
        QVERIFY2(missing.startsWith("Unable to read uint \"Build\" in memory " + where),
                 qPrintable(missing));
        // A mistyped read names both types and leaves the cursor where it was.
        const QString mistyped = messageOf<vstd::cRuntimeException>([&] { r->readUInt("Name"); });
        QVERIFY2(mistyped.endsWith(QLatin1String(": found string \"Name\"!")),
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
        QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, r->readAscii(""));
    }
}

void tst_DeserializeNavigation::unlabelledDocumentsAreReadInOrder()
{
    for (int format : {Xml, Binary}) {
        auto w = createWriter(format);
        w->setPreferNoLabels(true);
        w->setLabel("ignored");
        w->beginContext("Ctx");
        w->setLabel("ignored");
        w->writeString("text");
        w->endContext();
        w->writeDouble(2.5);
        const QByteArray data = bytesOf(*w);
        QVERIFY(!data.contains("ignored"));

        auto r = createReader(format, data);
        r->setPreferNoLabels(true);
        // Any label reads the next entry.
        QVERIFY(r->hasEntry("anything"));
        QCOMPARE(r->contextName("x"), vstd::cAsciiString("Ctx"));
        r->beginContext("y");
        QCOMPARE(r->readString("z").text(), QStringLiteral("text"));
        r->endContext();
        QCOMPARE(r->readDouble("w"), 2.5);
        QVERIFY(!r->hasEntry("anything"));
        // A reader that wants labels finds none.
        auto strict = createReader(format, data);
        QVERIFY(!strict->hasEntry("Ctx"));
        QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, strict->beginContext("Ctx"));
    }
}

void tst_DeserializeNavigation::misuseIsABug()
{
    for (int format : {Xml, Binary}) {
        auto r = createReader(format, formDocument(format));
        QVERIFY_THROWS_EXCEPTION(vstd::cBugException, r->endContext());
        auto w = createWriter(format);
        QVERIFY_THROWS_EXCEPTION(vstd::cBugException, w->endContext());
        {
            vsa::cContext closed(*w, "Closed");
        }
        try {
            vsa::cContext abandoned(*w, "Abandoned");
            throw vstd::cRuntimeException("$VTR$failure");
        } catch (const vstd::cRuntimeException &) {
        }
        // Left open while the exception passed: the document cannot be completed.
        QVERIFY_THROWS_EXCEPTION(vstd::cBugException, bytesOf(*w));
    }
}

void tst_DeserializeNavigation::genericWalkCopiesEverything()
{
    for (int format : {Xml, Binary}) {
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
}

QTEST_GUILESS_MAIN(tst_DeserializeNavigation)
#include "tst_deserializenavigation.moc"
