#include "serializertesthelpers.h"

using namespace serializertest;

// The in-memory format: hostile, truncated and corrupted input is refused without reading
// beyond the data or allocating what the data only claims.
class tst_SerializeBinary : public QObject
{
    Q_OBJECT
private slots:
    void everyTruncationIsRefusedOrComplete();
    void refusesHostileInput_data();
    void refusesHostileInput();
    void limitsNesting();
    void labelsAreWrittenOnceAndReferenced();
    void writesIntoTheRoomOfAnEarlierDocument();

private:
    static QByteArray sample();
};

namespace {

// The magic and the document name "D", in the version whose labels are texts.
QByteArray header()
{
    return QByteArray("VSB\x01\x01" "D", 6) + QByteArray(1, '\0');
}

// The same in the version with label references.
QByteArray header2()
{
    return QByteArray("VSB\x02\x01" "D", 6) + QByteArray(1, '\0');
}

// Reads everything, as a reader that knows nothing of the document would.
int walk(vsa::cAbstractDeserializer &r)
{
    vsa::cSerializeBinary sink;
    sink.setPreferNoLabels(false);
    vsa::cDocumentCopy::copyRest(r, sink);
    return int(sink.data().size());
}

} // namespace

QByteArray tst_SerializeBinary::sample()
{
    auto w = createWriter(Binary, "Form");
    w->setLabel("FormInfo");
    w->beginContext("FormInfo");
    w->setLabel("Name");
    w->writeString(vucs::cString(QString::fromUtf16(u"n\u00e4me")));
    w->setLabel("VH");
    w->writeUInt(300);
    w->endContext();
    w->setLabel("ViewElement");
    w->beginContext("ViewElement");
    w->writeInt64(-70000);
    w->writeBool(true);
    w->writeDouble(0.5);
    w->writeBytes("xyz");
    w->writeAscii("abc");
    w->endContext();
    return bytesOf(*w);
}

void tst_SerializeBinary::everyTruncationIsRefusedOrComplete()
{
    const QByteArray data = sample();
    const int full = walk(*createReader(Binary, data));
    int accepted = 0;
    for (qsizetype size = 0; size < data.size(); ++size) {
        // A copy, so that reading past the end is seen by the address sanitizer.
        const QByteArray part(data.constData(), size);
        try {
            auto r = createReader(Binary, part);
            // Only a cut between top-level entries leaves a complete, shorter document.
            QVERIFY(walk(*r) < full);
            ++accepted;
        } catch (const vstd::cRuntimeException &e) {
            QVERIFY2(e.message().toQString().startsWith(
                         QLatin1String("Unable to read memory at byte ")),
                     qPrintable(e.message().toQString()));
        }
    }
    // The empty document and the one with only "FormInfo".
    QCOMPARE(accepted, 2);
}

void tst_SerializeBinary::refusesHostileInput_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    const QByteArray h = header();
    QTest::newRow("empty") << QByteArray() << "at byte 0: not a binary document";
    QTest::newRow("foreign") << QByteArray("<document/>") << "not a binary document";
    QTest::newRow("name longer than data") << header().left(4) + "\x7f" << "ends early";
    // Lengths beyond a limit are refused before the data is looked at.
    QTest::newRow("huge name count") << header().left(4) + "\xff\xff\xff\xff\x0f"
                                     << "document name longer than 256 characters";
    QTest::newRow("endless varint") << h + "\x04\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\x01"
                                    << "number is too large";
    QTest::newRow("varint beyond 64 bits") << h + "\x05\xff\xff\xff\xff\xff\xff\xff\xff\xff\x02"
                                           << "number is too large";
    QTest::newRow("uint beyond 32 bits") << h + "\x04\x80\x80\x80\x80\x10"
                                         << "at byte 7: a uint is too large";
    QTest::newRow("unknown kind") << h + "\x04\x01\x09" << "byte 9: unknown entry kind 9";
    QTest::newRow("unknown labelled kind") << h + "\x8f" << "unknown entry kind 143";
    QTest::newRow("kind far beyond the kinds") << h + "\x7f" << "unknown entry kind 127";
    QTest::newRow("end at top") << h + QByteArray(1, '\0')
                                << "byte 7: a context ends that was not begun";
    QTest::newRow("unclosed context") << h + "\x01\x01" "c" "\x04\x01" << "ends early";
    QTest::newRow("bool neither") << h + "\x06\x02" << "neither true nor false";
    QTest::newRow("short double") << h + "\x07\x01\x02\x03" << "ends early";
    QTest::newRow("huge bytes length") << h + "\x08\xff\xff\xff\xff\xff\xff\xff\xff\x7f"
                                       << "byte 8: byte value longer than 16777216 bytes";
    QTest::newRow("huge string length") << h + "\x03\xff\xff\xff\xff\x07"
                                        << "byte 8: text longer than 1048576 characters";
    QTest::newRow("ascii one over") << h + "\x02\x81\x80\x40"
                                    << "text longer than 1048576 characters";
    QTest::newRow("ascii at the limit") << h + "\x02\x80\x80\x40" << "ends early";
    QTest::newRow("odd string bytes") << h + QByteArray("\x03\x02" "a\0b", 5) << "ends early";
    QTest::newRow("huge label") << h + "\x84\xff\xff\xff\x7f"
                                << "byte 8: label longer than 256 characters";
    QTest::newRow("long context name") << h + "\x01\x81\x02" << "context name longer than 256";
    QTest::newRow("unknown version") << QByteArray("VSB\x03\x01" "D", 6) + QByteArray(1, '\0')
                                     << "at byte 0: not a binary document";
    // Label 0 is defined by its text ("L") and referred to; label 2 is not defined.
    const QByteArray h2 = header2();
    QTest::newRow("label not defined")
        << h2 + QByteArray("\x86\x00\x01L\x01\x86\x00\x00\x86\x02\x01", 11)
        << "byte 16: label 2 is not defined";
    QTest::newRow("label reference too large")
        << h2 + "\x86\xff\xff\xff\xff\xff\xff\xff\xff\x7f\x01"
        << "byte 8: label 9223372036854775807 is not defined";
}

void tst_SerializeBinary::refusesHostileInput()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    const QString thrown = messageOf<vstd::cRuntimeException>(
        [&] { vsa::cDeserializeBinary r(QByteArray(data.constData(), data.size()), "clip"); });
    QVERIFY2(thrown.startsWith(QLatin1String("Unable to read clip at byte ")),
             qPrintable(thrown));
    QVERIFY2(thrown.contains(message), qPrintable(thrown));
}

void tst_SerializeBinary::limitsNesting()
{
    for (int depth : {256, 257, 5000}) {
        const QByteArray data = header() + QByteArray("\x01\x01" "c").repeated(depth)
                                + QByteArray(depth, '\0');
        if (depth == 256) {
            vsa::cDeserializeBinary r(data);
            for (int i = 0; i < depth; ++i)
                r.beginContext("");
            QVERIFY(r.atEnd());
            continue;
        }
        const QString thrown =
            messageOf<vstd::cRuntimeException>([&] { vsa::cDeserializeBinary r(data); });
        // The 257th context begins at byte 7 + 256 * 3.
        QCOMPARE(thrown, QStringLiteral("Unable to read memory at byte 775: contexts nested "
                                        "more than 256 deep!"));
    }
}

void tst_SerializeBinary::labelsAreWrittenOnceAndReferenced()
{
    // More distinct labels than are defined for reference, each written three times, with
    // texts that are not literals.
    const int count = 100;
    const auto label = [](int i) { return vstd::cAsciiString(QByteArray::number(i * 7919)); };
    vsa::cSerializeBinary w("D");
    w.setPreferNoLabels(false);
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < count; ++i) {
            w.setLabel(label(i));
            w.writeBool(round == 1);
        }
    }
    const QByteArray data = w.data();
    vsa::cDeserializeBinary r(data);
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < count; ++i) {
            QCOMPARE(r.nextEntryLabel(), label(i));
            QCOMPARE(r.readBool(vstd::cAsciiString()), round == 1);
        }
    }
    QVERIFY(r.atEnd());
    // A label already defined takes one byte: the repeats of the first 64 take three bytes
    // (tag, label, value), every other entry its label's text as well.
    qsizetype expected = header2().size();
    for (int round = 0; round < 3; ++round)
        for (int i = 0; i < count; ++i)
            expected += round > 0 && i < 64 ? 3 : 4 + label(i).size();
    QCOMPARE(data.size(), expected);
}

// A writer given the memory of an earlier document writes over it, leaving nothing of the old
// one behind, and never into memory another array still shares.
void tst_SerializeBinary::writesIntoTheRoomOfAnEarlierDocument()
{
    vsa::cSerializeBinary fresh("D");
    fresh.writeAscii("abc");
    const QByteArray expected = fresh.data();

    vsa::cSerializeBinary large("D");
    large.writeBytes(QByteArray(20000, 'x'));
    QByteArray room = large.takeData();
    const char *const memory = room.constData();
    vsa::cSerializeBinary reused("D", std::move(room));
    reused.writeAscii("abc");
    QByteArray again = reused.takeData();
    QCOMPARE(again, expected);
    QCOMPARE(again.constData(), memory);

    const QByteArray sharer = again;
    vsa::cSerializeBinary beside("D", again);
    beside.writeAscii("xyz");
    QCOMPARE(sharer, expected);
    vsa::cDeserializeBinary r(beside.data());
    QCOMPARE(r.readAscii(vstd::cAsciiString()), vstd::cAsciiString("xyz"));
}

QTEST_GUILESS_MAIN(tst_SerializeBinary)
#include "tst_serializebinary.moc"
