// The data-view manager: its extensions, plug-ins and folder; the standard element library.
#include "q4support/cvq4vmvdataviewmgr.h"
#include "q4support/elements/cstdelementfactory.h"
#include "q4support/elements/standardelements.h"

#include "vellcore/cmodulemgr.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QtTest>

#include <set>

using vmva::cDVIAbstractProperty;

namespace {

// What a property offers, as the editor's table tells the kinds apart.
QString kindOf(cDVIAbstractProperty *p)
{
    if (p->modelLocationView()) return "model";
    if (p->boolView()) return "bool";
    if (p->asciiStringView()) return "ascii";
    if (p->intView()) return "int";
    if (p->pixmapView()) return "pixmap";
    if (p->ucStringView()) return "text";
    if (p->layoutView()) return "layout";
    if (p->fontView()) return "font";
    if (p->doubleView()) return "double";
    if (p->dateTimeView()) return "date/time";
    if (p->flagsView()) return "flags";
    if (p->textListView()) return "texts";
    return "none";
}


std::unique_ptr<cQUIDataViewItemExtension> extension(const char *name, const char *display)
{
    const cStdElementFactory::tInfoSet info = {name, display, "Widgets", 1, 2, false, nullptr};
    return std::make_unique<cQUIDataViewItemExtension>(std::make_unique<cStdElementFactory>(info));
}

// Runs `load` and returns the message of the cRuntimeException it must throw.
template <class F> QString refusal(F load)
{
    try {
        load();
    } catch (const vstd::cRuntimeException &e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("<accepted>");
}

} // namespace

class tst_DataViewMgr : public QObject
{
    Q_OBJECT

private slots:
    void extensionsKeepOrderAndFirstNameWins();
    void plugInElementsComeBehindBuiltIns();
    void refusedPlugInsNameTheFile();
    void rootIsTheStartFolderAndPlugInsBesideTheHostLibraries();
    void fixedOrderWithKindsAndCategories();
    void propertiesAreDescribedAndConsistent();

private:
    vcs::cModuleMgr mModuleMgr;
};

void tst_DataViewMgr::extensionsKeepOrderAndFirstNameWins()
{
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    QVERIFY(mgr.dataViewElementExtensions().empty());
    QCOMPARE(mgr.findExtension("A"), nullptr);
    cQUIDataViewItemExtension &a = mgr.addExtension(extension("A", "first"));
    mgr.addExtension(extension("B", "b"));
    mgr.addExtension(extension("A", "second"));
    QCOMPARE(mgr.dataViewElementExtensions().size(), size_t(3));
    QCOMPARE(mgr.dataViewElementExtensions()[1]->factory()->elementName(),
             vstd::cAsciiString("B"));
    QCOMPARE(mgr.findExtension("A"), &a);
    QCOMPARE(mgr.findExtension("A")->factory()->displayName(), vstd::cAsciiString("first"));
    QCOMPARE(mgr.findExtension("a"), nullptr);
}

void tst_DataViewMgr::plugInElementsComeBehindBuiltIns()
{
    // The manager is destroyed here with the plug-in's own factory in it: the extension has to
    // go before the library is unloaded, or this test crashes.
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    registerStandardElements(mgr);
    const size_t builtIns = mgr.dataViewElementExtensions().size();
    vsa::cReferenceFrame frame;
    mgr.loadDataViewElement(TST_EXTRA_PLUGIN, frame);

    const auto &extensions = mgr.dataViewElementExtensions();
    QCOMPARE(extensions.size(), builtIns + 1);
    QCOMPARE(extensions.back()->factory()->elementName(), vstd::cAsciiString("TestDial"));
    QCOMPARE(mgr.findExtension("TestDial"), extensions.back());
    auto properties = extensions.back()->factory()->createProperties();
    properties->initialize();
    QCOMPARE(properties->properties().size(), size_t(2));

    // A second load of the same library would list its elements twice.
    const QString again = refusal([&] { mgr.loadDataViewElement(TST_EXTRA_PLUGIN, frame); });
    QVERIFY2(again.contains(QFileInfo(TST_EXTRA_PLUGIN).fileName()), qPrintable(again));
    QCOMPARE(extensions.size(), builtIns + 1);
}

void tst_DataViewMgr::refusedPlugInsNameTheFile()
{
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    registerStandardElements(mgr);
    const size_t before = mgr.dataViewElementExtensions().size();
    vsa::cReferenceFrame frame;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    const QString missing = dir.filePath("libnothere.so");
    QString message = refusal([&] { mgr.loadDataViewElement(qstr(missing), frame); });
    QVERIFY2(message.contains(missing), qPrintable(message));

    message = refusal([&] { mgr.loadDataViewElement(TST_NOENTRY_PLUGIN, frame); });
    QVERIFY2(message.contains(TST_NOENTRY_PLUGIN), qPrintable(message));
    QVERIFY2(message.contains(cVQ4VMVDataViewMgr::kPlugInEntry), qPrintable(message));

    const QString text = dir.filePath("notalibrary.so");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("just text\n");
    file.close();
    message = refusal([&] { mgr.loadDataViewElement(qstr(text), frame); });
    QVERIFY2(message.contains(text), qPrintable(message));

    QCOMPARE(mgr.dataViewElementExtensions().size(), before);
}

void tst_DataViewMgr::rootIsTheStartFolderAndPlugInsBesideTheHostLibraries()
{
    const QString before = QDir::currentPath();
    QTemporaryDir start;
    QVERIFY(QDir::setCurrent(start.path()));
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    QVERIFY(QDir::setCurrent(before));
    QCOMPARE(QFileInfo(qstr(mgr.uiRootPath())).canonicalFilePath(),
             QFileInfo(start.path()).canonicalFilePath());
    const QFileInfo plugIns(qstr(mgr.uiPlugInPath()));
    QVERIFY(plugIns.isAbsolute());
    QCOMPARE(plugIns.fileName(), QString("plugins"));
    // Test programs are built into bin/, the host libraries into lib/ beside it.
    const QString libDir = QCoreApplication::applicationDirPath() + "/../lib";
    QCOMPARE(plugIns.absolutePath(), QFileInfo(libDir).canonicalFilePath());
}

void tst_DataViewMgr::fixedOrderWithKindsAndCategories()
{
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    registerStandardElements(mgr);
    registerStandardElements(mgr);   // twice adds nothing
    // name, category, kind, top level: the names are part of every document written.
    const struct { const char *name; int category, kind; bool top; } expected[] = {
        {"Dialog", 1, 0, true},       {"GroupBox", 1, 0, false},   {"TabWidget", 1, 5, false},
        {"TabPage", 1, 4, false},     {"VBoxLayout", 1, 1, false}, {"HBoxLayout", 1, 1, false},
        {"Label", 1, 2, false},       {"PushButton", 1, 2, false}, {"LineEdit", 1, 2, false},
        {"CheckBox", 1, 2, false},    {"SpinBox", 1, 2, false},    {"ComboBox", 1, 2, false},
        {"ProgressBar", 1, 2, false}, {"Spacer", 1, 2, false},     {"Menu", 2, 6, true},
        {"MenuItem", 2, 3, false},    {"MenuSeparator", 2, 3, false},
        {"ToolBar", 3, 6, true},      {"ToolButton", 3, 3, false}, {"ToolSeparator", 3, 3, false},
        {"Widget", 1, 0, false},      {"Frame", 1, 0, false},      {"ScrollArea", 1, 0, false},
        {"Splitter", 1, 1, false},    {"StackedWidget", 1, 5, false},
        {"GridLayout", 1, 1, false},  {"FormLayout", 1, 1, false}, {"RadioButton", 1, 2, false},
        {"TextEdit", 1, 2, false},    {"ListWidget", 1, 2, false}, {"Slider", 1, 2, false},
        {"Dial", 1, 2, false},        {"Line", 1, 2, false},
        {"DoubleSpinBox", 1, 2, false}, {"DateEdit", 1, 2, false},  {"TimeEdit", 1, 2, false},
        {"DateTimeEdit", 1, 2, false}, {"DialogButtonBox", 1, 2, false},
    };
    const auto &extensions = mgr.dataViewElementExtensions();
    QCOMPARE(extensions.size(), std::size(expected));
    std::set<QString> displayInGroup;
    for (size_t i = 0; i < extensions.size(); ++i) {
        const cVQ4VMVAbstractMVItemFactory &f = *extensions[i]->factory();
        const QByteArray name = f.elementName().bytes();
        QCOMPARE(name, QByteArray(expected[i].name));
        QCOMPARE(f.viewCategory(), expected[i].category);
        QCOMPARE(f.elementKind(), expected[i].kind);
        QCOMPARE(f.isTopLevelElement(), expected[i].top);
        // Two entries with the same text in one insert submenu could not be told apart.
        QVERIFY2(displayInGroup.insert(qstr(f.groupName() + "/" + f.displayName())).second,
                 name);
    }
}

// Every element starts with its static label; every property is described, starts at a value
// its own rules allow, names the node types it fits when a user can bind it; layouts sit on
// layouts and widgets, models on containers, commands trigger void nodes. Between them the
// elements offer every kind of property the editor's table knows.
void tst_DataViewMgr::propertiesAreDescribedAndConsistent()
{
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    registerStandardElements(mgr);
    std::set<QString> kinds;
    bool intWithChoicesAndRange = false, intWithChoicesOnly = false, asciiChoicesOnly = false;
    for (cQUIDataViewItemExtension *ext : mgr.dataViewElementExtensions()) {
        const cVQ4VMVAbstractMVItemFactory &f = *ext->factory();
        const QByteArray element = f.elementName().bytes();
        auto properties = f.createProperties();
        QVERIFY2(properties && !properties->isInitialized(), element);
        properties->initialize();
        QVERIFY2(!properties->properties().empty(), element);
        cDVIAbstractProperty *label = properties->properties().front();
        QVERIFY2(label->name() == "Label" && label->asciiStringView(), element);
        QVERIFY2(label->flags() & cDVIAbstractProperty::NotConnectable, element);
        std::set<QByteArray> names;
        for (cDVIAbstractProperty *p : properties->properties()) {
            const QByteArray where = element + "." + p->name().bytes();
            kinds.insert(kindOf(p));
            QVERIFY2(names.insert(p->name().bytes()).second, where);
            QVERIFY2(!p->topic().empty() && !p->help().empty(), where);
            QVERIFY2(p->isDefault() && p->modelLocation().isEmpty(), where);
            if (p->flags() & cDVIAbstractProperty::NotConnectable)
                QVERIFY2((p->flags() & cDVIAbstractProperty::DirectionMask) == 0, where);
            else
                QVERIFY2(!p->allowedTypes().empty(), where);
            if (auto *i = p->intView()) {
                bool predefined = false;
                for (const auto &v : i->predefinedValues())
                    predefined = predefined || v.value == i->value();
                const bool inRange = i->hasRange() && i->value() >= i->minimum()
                                     && i->value() <= i->maximum();
                QVERIFY2(predefined || inRange, where);
                const bool choices = !i->predefinedValues().empty();
                intWithChoicesAndRange = intWithChoicesAndRange || (choices && i->hasRange());
                intWithChoicesOnly = intWithChoicesOnly || (choices && !i->hasRange());
            }
            if (auto *a = p->asciiStringView(); a && a->onlyPredefinedValuesAllowed()) {
                bool known = false;
                for (const auto &v : a->predefinedValues())
                    known = known || v.value == a->value();
                QVERIFY2(known, where);
                asciiChoicesOnly = true;
            }
        }
        cDVIAbstractProperty *layout = properties->tryFindProperty("Layout");
        cDVIAbstractProperty *model = properties->tryFindProperty("Model");
        cDVIAbstractProperty *command = properties->tryFindProperty("Command");
        if (f.elementKind() == 1 || f.elementKind() == 2 || element == "GroupBox")
            QVERIFY2(layout && layout->layoutView(), element);
        if (f.elementKind() == 0 || f.elementKind() == 4 || f.elementKind() == 5
            || f.isTopLevelElement())
            QVERIFY2(model && model->modelLocationView(), element);
        if (f.elementKind() == 3)
            QVERIFY2(!layout && !model, element);
        if (element == "PushButton" || element == "MenuItem" || element == "ToolButton") {
            QVERIFY2(command && command->modelLocationView(), element);
            QCOMPARE(command->flags() & cDVIAbstractProperty::DirectionMask,
                     unsigned(cDVIAbstractProperty::DirectionOut));
            QCOMPARE(command->allowedTypes(), vstd::cAsciiString("piVoid"));
        }
    }
    QCOMPARE(kinds, (std::set<QString>{"model", "bool", "ascii", "int", "pixmap", "text",
                                       "layout", "font", "double", "date/time",
                                       "flags", "texts"}));
    QVERIFY(intWithChoicesAndRange && intWithChoicesOnly && asciiChoicesOnly);
}

QTEST_GUILESS_MAIN(tst_DataViewMgr)
#include "tst_dataviewmgr.moc"
