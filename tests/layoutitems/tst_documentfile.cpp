// The document file: element records, round trips through file and memory, unknown elements,
// failures that must leave documents and files alone, derived parameters.

#include "testelements.h"

#include "qdialoglayoutitems/cdefaultforminfostore.h"
#include "qdialoglayoutitems/cdialogdocument.h"

#include "vellmva2/cdvitypedproperties.h"

#include <QtTest>

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// TDialog(TLayout[root](TButton[a], TLayout(TButton[b], TBare), TGroup(TLayout(TButton[c]))))
// with every property set, connectors naming `parameter`.
cQDialogLayoutViewItem &buildForm(cTestHost &host, cQAbstractDialogLayoutItem &root,
                                  const char *parameter = "prm")
{
    int seed = 1;
    auto add = [&](cQAbstractDialogLayoutItem &parent,
                   const char *name) -> cQDialogLayoutViewItem & {
        cQDialogLayoutViewItem &item = host.append(parent, name);
        setAllProperties(item, seed++, parameter);
        return item;
    };
    cQDialogLayoutViewItem &dialog = add(root, "TDialog");
    cQDialogLayoutViewItem &layout = add(dialog, "TLayout");
    add(layout, "TButton");
    cQDialogLayoutViewItem &inner = add(layout, "TLayout");
    add(inner, "TButton");
    add(inner, "TBare");
    add(add(add(layout, "TGroup"), "TLayout"), "TButton");
    return dialog;
}

// Element names and debug identities of the records in a document, depth first.
void walkRecords(vsa::cAbstractDeserializer &d, QStringList &out)
{
    while (d.hasEntry("ViewElement")) {
        vsa::cContext record(d, "ViewElement");
        const QString name = qstr(d.contextName("Element"));
        vsa::cContext element(d, "Element");
        out << name + QLatin1Char('#')
                   + (d.hasEntry("DebugInfo") ? qstr(d.readAscii("DebugInfo")) : QString());
        walkRecords(d, out);
        element.release();
        record.release();
    }
}

// A document of `depth` nested TBare records.
void writeNested(vsa::cAbstractSerializer &s, int depth)
{
    for (int i = 0; i < depth; ++i) {
        s.setLabel("ViewElement");
        s.beginContext("ViewElement");
        s.setLabel("Element");
        s.beginContext("TBare");
    }
    for (int i = 0; i < depth; ++i) {
        s.endContext();
        s.endContext();
    }
}

class cParameterListener : public vrmi::cConnectable
{
public:
    piVoid sltAdded(const vstd::cAsciiString &name)
    {
        added << qstr(name);
        return piVoid();
    }
    QStringList added;
};

QStringList parameterNames(const vmva::cDVDataViewArgList &list)
{
    QStringList names;
    for (const vmva::cDVDataViewArgList::cArgument *a : list.arguments())
        names << qstr(a->parameterName());
    return names;
}
} // namespace

class tst_DocumentFile : public QObject
{
    Q_OBJECT

private slots:
    void fileRoundTripKeepsTreeAndEveryProperty();
    void fileOfEarlierVersionLoadsAndSavesAlike();
    void binaryRoundTripInsertsBefore();
    void emptyAndTwoTopLevelDocuments();
    void unknownElementsSkippedInFiles();
    void unknownElementRefusedOnClipboard();
    void parametersDerivedAndNeverRemoved();
    void debugInfoOnlyInPreview();
    void loadFailureKeepsDocument_data();
    void loadFailureKeepsDocument();
    void failedSaveKeepsFile();
    void deepNestingRefused();
    void formInfoFields();

private:
    QTemporaryDir mDir;
    QString path(const char *name) const { return mDir.filePath(QString::fromLatin1(name)); }
};

void tst_DocumentFile::fileRoundTripKeepsTreeAndEveryProperty()
{
    cTestHost host;
    cDialogDocument doc(&host.dataViewMgr, host.registry, host.arguments);
    buildForm(host, doc.root());
    const QString expectedTree = treeText(doc.root());
    const QStringList expectedProps = propertyLines(doc.root());
    QCOMPARE(expectedTree, QStringLiteral("TDialog[L1](TLayout[L2](TButton[L3],TLayout[L4]("
                                          "TButton[L5],TBare),TGroup[L7](TLayout[L8]("
                                          "TButton[L9]))))"));
    doc.saveDocument(qstr(path("round.dlg")));

    cTestHost other;
    cDialogDocument loaded(&other.dataViewMgr, other.registry, other.arguments);
    loaded.loadDocument(qstr(path("round.dlg")), true);
    QCOMPARE(treeText(loaded.root()), expectedTree);
    QCOMPARE(propertyLines(loaded.root()), expectedProps);
    // Loaded items belong to the new tree and use the reading host's element types.
    const cQAbstractDialogLayoutItem *dialog = loaded.root().children()[0];
    QCOMPARE(dialog->parent(), &loaded.root());
    QCOMPARE(static_cast<const cQDialogLayoutViewItem *>(dialog)->itemFactory(),
             other.dataViewMgr.dataViewElementExtensions()[0]->factory());
}

// A file saved by an earlier version of the editor (the form of buildForm, indented by two
// spaces a level) loads into the same tree and values, and saving it again writes the same
// bytes but for the save time and the indentation, now a tab a level.
void tst_DocumentFile::fileOfEarlierVersionLoadsAndSavesAlike()
{
    const QString saved = qEnvironmentVariable("VELL_SOURCE_DIR")
                          + QStringLiteral("/tests/layoutitems/data/everykind.dlg");
    cTestHost host;
    cDialogDocument built(&host.dataViewMgr, host.registry, host.arguments);
    buildForm(host, built.root());

    cDialogDocument loaded(&host.dataViewMgr, host.registry, host.arguments);
    loaded.loadDocument(qstr(saved), true);
    QCOMPARE(treeText(loaded.root()), treeText(built.root()));
    QCOMPARE(propertyLines(loaded.root()), propertyLines(built.root()));

    loaded.saveDocument(qstr(path("again.dlg")));
    const QRegularExpression stamp(QStringLiteral("\"LastModified\">[^<]*<"));
    QString before = QString::fromUtf8(fileBytes(saved));
    QString after = QString::fromUtf8(fileBytes(path("again.dlg")));
    QVERIFY(before.contains(stamp));
    const QRegularExpression level(QStringLiteral("(?<=^|\\t)  "),
                                   QRegularExpression::MultilineOption);
    while (before.contains(level))
        before.replace(level, QStringLiteral("\t"));
    QCOMPARE(after.replace(stamp, QString()), before.replace(stamp, QString()));
}

void tst_DocumentFile::binaryRoundTripInsertsBefore()
{
    cTestHost host;
    cQDialogLayoutRootItem source(&host.dataViewMgr);
    cQDialogLayoutViewItem &dialog = buildForm(host, source);
    cQAbstractDialogLayoutItem &layout = *dialog.children()[0];
    vsa::cSerializeBinary out;
    out.setPreferNoLabels(false);
    for (cQAbstractDialogLayoutItem *child : layout.children())
        host.registry.storeItem(*child, out);
    const QStringList sourceProps = propertyLines(layout);

    cQDialogLayoutRootItem target(&host.dataViewMgr);
    cQDialogLayoutViewItem &targetLayout = host.append(host.append(target, "TDialog"), "TLayout");
    host.append(targetLayout, "TBare");
    cQDialogLayoutViewItem &last = host.append(targetLayout, "TTabs");
    vsa::cDeserializeBinary in(out.data());
    in.setPreferNoLabels(false);
    host.registry.loadItems(targetLayout, &last, in, false);
    QCOMPARE(treeText(targetLayout), QStringLiteral("TBare,TButton[L3],TLayout[L4](TButton[L5],"
                                                    "TBare),TGroup[L7](TLayout[L8](TButton[L9])),"
                                                    "TTabs"));
    // Same values, one element further down the list.
    QStringList shifted;
    for (const QString &line : propertyLines(targetLayout))
        if (!line.startsWith(QLatin1String("/4TTabs")))
            shifted << line;
    QCOMPARE(shifted.size(), sourceProps.size());
    for (int i = 0; i < shifted.size(); ++i) {
        QString expected = sourceProps[i];
        expected[1] = QChar(expected[1].unicode() + 1);
        QCOMPARE(shifted[i], expected);
    }
}

// An empty document holds only the form information and loads as empty; a document with two
// top-level elements (which the editor would refuse to make) loads both, the first one's type.
void tst_DocumentFile::emptyAndTwoTopLevelDocuments()
{
    cTestHost host;
    cDialogDocument doc(&host.dataViewMgr, host.registry, host.arguments);
    doc.saveDocument(qstr(path("empty.dlg")));
    const QByteArray bytes = fileBytes(path("empty.dlg"));
    QVERIFY(bytes.contains("FormInfo"));
    QVERIFY(!bytes.contains("ViewElement"));
    host.append(host.append(doc.root(), "TMenu"), "TEntry");
    host.append(doc.root(), "TDialog");
    doc.saveDocument(qstr(path("two.dlg")));

    cDialogDocument loaded(&host.dataViewMgr, host.registry, host.arguments);
    loaded.loadDocument(qstr(path("two.dlg")), true);
    QCOMPARE(treeText(loaded.root()), QStringLiteral("TMenu(TEntry),TDialog"));
    QCOMPARE(loaded.documentType(), vstd::cAsciiString("Menu"));
    loaded.loadDocument(qstr(path("empty.dlg")), true);
    QVERIFY(loaded.root().children().empty());
    QCOMPARE(loaded.documentType(), vstd::cAsciiString());
}

void tst_DocumentFile::unknownElementsSkippedInFiles()
{
    cTestHost writer;
    cDialogDocument doc(&writer.dataViewMgr, writer.registry, writer.arguments);
    buildForm(writer, doc.root());
    doc.saveDocument(qstr(path("known.dlg")));
    cDialogDocument menuDoc(&writer.dataViewMgr, writer.registry, writer.arguments);
    writer.append(menuDoc.root(), "TMenu");
    menuDoc.saveDocument(qstr(path("menu.dlg")));

    // A host without groups and menus: those are dropped with everything inside them.
    cTestHost reader(false);
    for (const char *name : {"TDialog", "TLayout", "TButton", "TBare"})
        reader.addElement(name, name[1] == 'L' ? 1 : 0, 1, name[1] == 'D');
    reader.registry.rebuildFactories();
    cDialogDocument loaded(&reader.dataViewMgr, reader.registry, reader.arguments);
    loaded.loadDocument(qstr(path("known.dlg")), true);
    QCOMPARE(treeText(loaded.root()), QStringLiteral("TDialog[L1](TLayout[L2](TButton[L3],"
                                                     "TLayout[L4](TButton[L5],TBare)))"));
    loaded.loadDocument(qstr(path("menu.dlg")), true);
    QVERIFY(loaded.root().children().empty());
}

void tst_DocumentFile::unknownElementRefusedOnClipboard()
{
    cTestHost writer;
    cQDialogLayoutRootItem source(&writer.dataViewMgr);
    cQDialogLayoutViewItem &dialog = buildForm(writer, source);
    vsa::cSerializeBinary out;
    out.setPreferNoLabels(false);
    writer.registry.storeItem(dialog, out);

    // A reader without buttons: the first one sits at depth three (TDialog > TLayout > TButton).
    cTestHost reader(false);
    for (const char *name : {"TDialog", "TLayout", "TGroup", "TBare"})
        reader.addElement(name, 1, 1, true);
    reader.registry.rebuildFactories();
    cQDialogLayoutRootItem target(&reader.dataViewMgr);
    vsa::cDeserializeBinary in(out.data());
    in.setPreferNoLabels(false);
    try {
        reader.registry.loadItems(target, nullptr, in, false);
        QFAIL("no exception");
    } catch (const vstd::cRuntimeException &e) {
        const QStringList chain = messageChain(e);
        QCOMPARE(chain.size(), 4);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(chain[i], QStringLiteral("Unable to load dialog in context ViewElement!"));
        QCOMPARE(chain[3], QStringLiteral("ViewElement \"TButton\" is not loaded!"));
        const vstd::cAbstractException *innermost = e.cause()->cause()->cause();
        QCOMPARE(innermost->message().rawText(),
                 QStringLiteral("$VTR$ViewElement \"%name%\" is not loaded!"));
        QCOMPARE(innermost->file(), nullptr);
        QVERIFY(dynamic_cast<const vstd::cRuntimeException *>(innermost));
    }
    QVERIFY(target.children().empty());
}

void tst_DocumentFile::parametersDerivedAndNeverRemoved()
{
    cTestHost host;
    cDialogDocument doc(&host.dataViewMgr, host.registry, host.arguments);
    cQDialogLayoutViewItem &dialog = host.append(doc.root(), "TDialog");
    cQDialogLayoutViewItem &layout = host.append(dialog, "TLayout");
    cQDialogLayoutViewItem &button = host.append(layout, "TButton");
    // Children are visited after their parents, properties in their order.
    button.findProperty("Count")->setModelLocation(vmva::cDMDataModelDescriptor("Beta", "x"));
    dialog.findProperty("Model")->setModelLocation(vmva::cDMDataModelDescriptor("Alpha", "m"));
    dialog.findProperty("Count")->setModelLocation(vmva::cDMDataModelDescriptor("Beta", "y"));
    layout.findProperty("Text")->setModelLocation(vmva::cDMDataModelDescriptor("Known", "t"));
    doc.saveDocument(qstr(path("params.dlg")));

    vmva::cDVDataViewArgList arguments;
    arguments.addParameter("Earlier");
    arguments.addParameter("Known");
    arguments.changeParameter("Known", vcs::cComponentAddr("local", 3), "Main");
    cDialogDocument loaded(&host.dataViewMgr, host.registry, arguments);
    cParameterListener listener;
    loaded.sigParameterAdded.connect(
        vrmi::cDirectLocalSlotCall1<cParameterListener, const vstd::cAsciiString &>(
            listener, &cParameterListener::sltAdded));
    loaded.loadDocument(qstr(path("params.dlg")), true);

    QCOMPARE(listener.added, (QStringList{"Beta", "Alpha"}));
    QCOMPARE(parameterNames(arguments), (QStringList{"Earlier", "Known", "Beta", "Alpha"}));
    QVERIFY(!arguments.tryFindParameter("Beta")->isSet());
    QCOMPARE(arguments.tryFindParameter("Known")->modelName(), vstd::cAsciiString("Main"));

    // Neither a new document nor loading again removes or re-announces anything.
    loaded.newDocument();
    loaded.loadDocument(qstr(path("params.dlg")), true);
    QCOMPARE(parameterNames(arguments), (QStringList{"Earlier", "Known", "Beta", "Alpha"}));
    QCOMPARE(listener.added.size(), 2);
}

void tst_DocumentFile::debugInfoOnlyInPreview()
{
    cTestHost host;
    cDialogDocument doc(&host.dataViewMgr, host.registry, host.arguments);
    buildForm(host, doc.root());

    vsa::cSerializeBinary preview("Form");
    preview.setPreferNoLabels(false);
    doc.storePreview(preview);
    vsa::cDeserializeBinary in(preview.data());
    in.setPreferNoLabels(false);
    QVERIFY(in.hasEntry("FormInfo"));
    QStringList records;
    walkRecords(in, records);
    QCOMPARE(records.size(), 9);
    for (const QString &record : records) {
        const QStringList parts = record.split(QLatin1Char('#'));
        if (parts[0] == QLatin1String("TBare")) {
            QVERIFY(parts[1].isEmpty());   // nothing is written for an element without properties
            continue;
        }
        QVERIFY2(doc.root().findByDebugInfo(vstd::cAsciiString(parts[1].toLatin1())),
                 qPrintable(record));
    }

    // The file gets none of the identities, while the preview built before keeps using them.
    const vstd::cAsciiString identity = doc.root().children()[0]->debugInfo();
    doc.saveDocument(qstr(path("nodebug.dlg")));
    QVERIFY(!fileBytes(path("nodebug.dlg")).contains("DebugInfo"));
    QCOMPARE(doc.root().children()[0]->debugInfo(), identity);
}

void tst_DocumentFile::loadFailureKeepsDocument_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("createFile");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("not XML") << QByteArray("\x00\x01 garbage <", 12) << true;
    QTest::newRow("truncated") << QByteArray("TRUNCATE") << true;
    QTest::newRow("bad property value") << QByteArray("BADVALUE") << true;
}

void tst_DocumentFile::loadFailureKeepsDocument()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, createFile);
    cTestHost host;
    cDialogDocument doc(&host.dataViewMgr, host.registry, host.arguments);
    buildForm(host, doc.root(), "Original");
    doc.saveDocument(qstr(path("good.dlg")));

    if (content == "TRUNCATE") {
        const QByteArray good = fileBytes(path("good.dlg"));
        content = good.left(good.size() * 2 / 3);
    } else if (content == "BADVALUE") {
        // A well-formed file whose second element holds text where a number belongs.
        vsa::cSerializeXML out("Form");
        out.setPreferNoLabels(false);
        cQDialogLayoutRootItem other(&host.dataViewMgr);
        setAllProperties(host.append(host.append(other, "TDialog"), "TLayout"), 5, "Failed");
        out.setLabel("ViewElement");
        out.beginContext("ViewElement");
        out.setLabel("Element");
        out.beginContext("TDialog");
        host.registry.storeItem(*other.children()[0]->children()[0], out);
        out.setLabel("ViewElement");
        out.beginContext("ViewElement");
        out.setLabel("Element");
        out.beginContext("TButton");
        out.setLabel("Property");
        out.beginContext("Count");
        out.setLabel("Value");
        out.writeAscii("twelve");
        for (int i = 0; i < 5; ++i)
            out.endContext();
        content = out.data();
    }
    const QString target = path("bad.dlg");
    QFile::remove(target);
    if (createFile) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    cDefaultFormInfoStore formInfo;
    formInfo.applyFormInfo([] { cFormInfoRecord r; r.name = "Kept"; return r; }());
    doc.setFormInfoStore(&formInfo);
    const cQDialogLayoutRootItem *rootBefore = &doc.root();
    const QString treeBefore = treeText(doc.root());
    const QStringList propsBefore = propertyLines(doc.root());
    const QStringList paramsBefore = parameterNames(host.arguments);
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, doc.loadDocument(qstr(target), true));
    QCOMPARE(&doc.root(), rootBefore);
    QCOMPARE(treeText(doc.root()), treeBefore);
    QCOMPARE(propertyLines(doc.root()), propsBefore);
    QCOMPARE(parameterNames(host.arguments), paramsBefore);
    QCOMPARE(formInfo.record().name, vstd::cAsciiString("Kept"));
    doc.setFormInfoStore(nullptr);
}

void tst_DocumentFile::failedSaveKeepsFile()
{
    cTestHost host;
    cDialogDocument doc(&host.dataViewMgr, host.registry, host.arguments);
    buildForm(host, doc.root());
    const QString target = path("kept.dlg");
    doc.saveDocument(qstr(target));
    const QByteArray before = fileBytes(target);
    QVERIFY(!before.isEmpty());

    host.append(doc.root(), "TMenu");
    cTestProperties::failStore = true;
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, doc.saveDocument(qstr(target)));
    cTestProperties::failStore = false;
    QCOMPARE(fileBytes(target), before);
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException,
                             doc.saveDocument(qstr(path("no/such/folder/x.dlg"))));
    // Nothing was left beside the file either.
    QCOMPARE(QDir(mDir.path()).entryList(QStringList{"*kept.dlg*"}, QDir::Files | QDir::Hidden),
             QStringList{"kept.dlg"});
}

void tst_DocumentFile::deepNestingRefused()
{
    cTestHost host;
    const int limit = cDialogItemFactoryRegistry::kMaxElementDepth;
    {
        // Within the readers' limits but beyond the element limit: refused by loadItems.
        vsa::cSerializeBinary out;
        out.setPreferNoLabels(false);
        writeNested(out, limit + 1);
        vsa::cDeserializeBinary in(out.data());
        in.setPreferNoLabels(false);
        cQDialogLayoutRootItem root(&host.dataViewMgr);
        try {
            host.registry.loadItems(root, nullptr, in, true);
            QFAIL("no exception");
        } catch (const vstd::cRuntimeException &e) {
            const QStringList chain = messageChain(e);
            QCOMPARE(chain.size(), limit + 2);
            QVERIFY2(chain.last().contains(QStringLiteral("nested deeper than %1").arg(limit)),
                     qPrintable(chain.last()));
        }
        QVERIFY(root.children().empty());
        // One level less is fine.
        vsa::cSerializeBinary ok;
        ok.setPreferNoLabels(false);
        writeNested(ok, limit);
        vsa::cDeserializeBinary okIn(ok.data());
        okIn.setPreferNoLabels(false);
        host.registry.loadItems(root, nullptr, okIn, true);
        int depth = 0;
        for (const cQAbstractDialogLayoutItem *i = &root; !i->children().empty();
             i = i->children()[0])
            ++depth;
        QCOMPARE(depth, limit);
    }
    {
        // Thousands of levels in a file: refused by the reader, the document stays. Written by
        // hand, as the serializer's indentation would make the file grow with the square.
        QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<document name=\"Form\">";
        for (int i = 0; i < 5000; ++i)
            xml += "<context label=\"ViewElement\" name=\"ViewElement\">"
                   "<context label=\"Element\" name=\"TBare\">";
        for (int i = 0; i < 10000; ++i)
            xml += "</context>";
        xml += "</document>\n";
        const QString target = path("deep.dlg");
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(xml);
        file.close();
        cDialogDocument doc(&host.dataViewMgr, host.registry, host.arguments);
        host.append(doc.root(), "TDialog");
        try {
            doc.loadDocument(qstr(target), true);
            QFAIL("no exception");
        } catch (const vstd::cRuntimeException &e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(QLatin1String("nested")), e.what());
        }
        QCOMPARE(treeText(doc.root()), QStringLiteral("TDialog"));
    }
}

void tst_DocumentFile::formInfoFields()
{
    QCOMPARE(cFormInfoRecord::lastModifiedText(QDateTime(QDate(2026, 12, 4), QTime(20, 5, 3))),
             vstd::cAsciiString("4/12/2026-20:5.3"));

    cTestHost host;
    cDefaultFormInfoStore formInfo;
    QCOMPARE(formInfo.record().name, vstd::cAsciiString("Form"));
    QCOMPARE(formInfo.record().type, vstd::cAsciiString("none"));
    cFormInfoRecord stored;
    stored.name = "Setup";
    stored.author = vucs::cString(u"J\u00f6rg");
    stored.versionMajor = 4;
    stored.versionMinor = 7;
    formInfo.applyFormInfo(stored);
    formInfo.setFormType("Dialog");
    cDialogDocument doc(&host.dataViewMgr, host.registry, host.arguments);
    doc.setFormInfoStore(&formInfo);
    doc.saveDocument(qstr(path("info.dlg")));

    // Read back as written, Type included; the stamp is today's.
    vsa::cDeserializeXML in(qstr(path("info.dlg")));
    in.setPreferNoLabels(false);
    QCOMPARE(qstr(in.documentName()), QStringLiteral("Form"));
    vsa::cContext section(in, "FormInfo");
    QCOMPARE(in.readAscii("Type"), vstd::cAsciiString("Dialog"));
    QCOMPARE(in.readAscii("Name"), vstd::cAsciiString("Setup"));
    QCOMPARE(in.readString("Author"), vucs::cString(u"J\u00f6rg"));
    QCOMPARE(in.readUInt("VH"), 4u);
    QCOMPARE(in.readUInt("VL"), 7u);
    QVERIFY(qstr(in.readAscii("LastModified"))
                .startsWith(QStringLiteral("%1/%2/").arg(QDate::currentDate().day())
                                .arg(QDate::currentDate().month())));
    section.release();

    // A document without the section: "unknown" texts, the version left as it was.
    vsa::cSerializeXML bare("Form");
    bare.writeToFile(qstr(path("bare.dlg")));
    doc.loadDocument(qstr(path("bare.dlg")), true);
    QCOMPARE(formInfo.record().name, vstd::cAsciiString("unknown"));
    QCOMPARE(formInfo.record().author, vucs::cString("unknown"));
    QCOMPARE(formInfo.record().lastModified, vstd::cAsciiString("-"));
    QCOMPARE(formInfo.record().versionMajor, 4u);
    formInfo.setFormType("Menu");
    doc.loadDocument(qstr(path("info.dlg")), true);
    QCOMPARE(formInfo.record().name, vstd::cAsciiString("Setup"));
    QCOMPARE(formInfo.record().versionMinor, 7u);
    QCOMPARE(formInfo.record().type, vstd::cAsciiString("Menu"));   // not read from files
    doc.newDocument();
    QCOMPARE(formInfo.record().name, vstd::cAsciiString("Form"));
    QCOMPARE(formInfo.record().versionMinor, 1u);
}

QTEST_GUILESS_MAIN(tst_DocumentFile)
#include "tst_documentfile.moc"
