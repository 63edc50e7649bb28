#include "q4support/cvq4vmvdataviewmgr.h"
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
    return "none";
}

} // namespace

class tst_StandardElements : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fixedOrderWithKindsAndCategories();
    void registeringTwiceAddsNothing();
    void everyElementStartsWithItsLabel();
    void propertiesAreDescribedAndConsistent();
    void everyPropertyKindIsOffered();
    void layoutsOnWidgetsModelsOnContainers();
    void commandsTriggerVoidNodes();
    void comboEntries_data();
    void comboEntries();

private:
    // Fresh, initialised properties of the element `name`.
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> propertiesOf(const char *name);

    vcs::cModuleMgr mModuleMgr;
    std::unique_ptr<cVQ4VMVDataViewMgr> mMgr;
};

void tst_StandardElements::init()
{
    mMgr = std::make_unique<cVQ4VMVDataViewMgr>(mModuleMgr);
    registerStandardElements(*mMgr);
}

void tst_StandardElements::cleanup()
{
    mMgr.reset();
}

std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> tst_StandardElements::propertiesOf(
    const char *name)
{
    cQUIDataViewItemExtension *ext = mMgr->findExtension(name);
    if (!ext)
        qFatal("no element %s", name);
    auto properties = ext->factory()->createProperties();
    properties->initialize();
    return properties;
}

void tst_StandardElements::fixedOrderWithKindsAndCategories()
{
    // name, category, kind, top level: the names are part of every document written.
    const struct { const char *name; int category, kind; bool top; } expected[] = {
        {"Dialog", 1, 0, true},       {"GroupBox", 1, 0, false},   {"TabWidget", 1, 5, false},
        {"TabPage", 1, 4, false},     {"VBoxLayout", 1, 1, false}, {"HBoxLayout", 1, 1, false},
        {"Label", 1, 2, false},       {"PushButton", 1, 2, false}, {"LineEdit", 1, 2, false},
        {"CheckBox", 1, 2, false},    {"SpinBox", 1, 2, false},    {"ComboBox", 1, 2, false},
        {"ProgressBar", 1, 2, false}, {"Spacer", 1, 2, false},     {"Menu", 2, 6, true},
        {"MenuItem", 2, 3, false},    {"MenuSeparator", 2, 3, false},
        {"ToolBar", 3, 6, true},      {"ToolButton", 3, 3, false}, {"ToolSeparator", 3, 3, false},
    };
    const auto &extensions = mMgr->dataViewElementExtensions();
    QCOMPARE(extensions.size(), std::size(expected));
    std::set<QString> displayInGroup;
    for (size_t i = 0; i < extensions.size(); ++i) {
        const cVQ4VMVAbstractMVItemFactory &f = *extensions[i]->factory();
        const QByteArray name = f.elementName().bytes();
        QCOMPARE(name, QByteArray(expected[i].name));
        QCOMPARE(f.viewCategory(), expected[i].category);
        QCOMPARE(f.elementKind(), expected[i].kind);
        QCOMPARE(f.isTopLevelElement(), expected[i].top);
        QVERIFY2(!f.displayName().empty() && !f.groupName().empty(), name);
        // Two entries with the same text in one insert submenu could not be told apart.
        QVERIFY2(displayInGroup.insert(qstr(f.groupName() + "/" + f.displayName())).second,
                 name);
        QCOMPARE(extensions[i]->builder(), nullptr);
    }
}

void tst_StandardElements::registeringTwiceAddsNothing()
{
    const size_t count = mMgr->dataViewElementExtensions().size();
    cQUIDataViewItemExtension *dialog = mMgr->findExtension("Dialog");
    registerStandardElements(*mMgr);
    QCOMPARE(mMgr->dataViewElementExtensions().size(), count);
    QCOMPARE(mMgr->findExtension("Dialog"), dialog);
}

void tst_StandardElements::everyElementStartsWithItsLabel()
{
    for (cQUIDataViewItemExtension *ext : mMgr->dataViewElementExtensions()) {
        const QByteArray name = ext->factory()->elementName().bytes();
        auto first = ext->factory()->createProperties();
        auto second = ext->factory()->createProperties();
        QVERIFY2(first && first != second, name);
        QVERIFY2(!first->isInitialized(), name);
        first->initialize();
        QVERIFY2(!first->properties().empty(), name);
        cDVIAbstractProperty *label = first->properties().front();
        QCOMPARE(label->name(), vstd::cAsciiString("Label"));
        QVERIFY2(label->asciiStringView() != nullptr, name);
        QVERIFY2(label->flags() & cDVIAbstractProperty::NotConnectable, name);
        QVERIFY2(label->asciiStringView()->value().empty(), name);
    }
}

void tst_StandardElements::propertiesAreDescribedAndConsistent()
{
    for (cQUIDataViewItemExtension *ext : mMgr->dataViewElementExtensions()) {
        auto properties = ext->factory()->createProperties();
        properties->initialize();
        std::set<QByteArray> names;
        for (cDVIAbstractProperty *p : properties->properties()) {
            const QByteArray where =
                ext->factory()->elementName().bytes() + "." + p->name().bytes();
            QVERIFY2(names.insert(p->name().bytes()).second, where);
            QVERIFY2(!p->topic().empty() && !p->help().empty(), where);
            QVERIFY2(p->isDefault() && p->modelLocation().isEmpty(), where);
            const bool isStatic = p->flags() & cDVIAbstractProperty::NotConnectable;
            // A property a user can bind names the node types it fits; a static one has no
            // direction.
            if (isStatic)
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
            }
            if (auto *a = p->asciiStringView(); a && a->onlyPredefinedValuesAllowed()) {
                bool known = false;
                for (const auto &v : a->predefinedValues())
                    known = known || v.value == a->value();
                QVERIFY2(known, where);
            }
        }
    }
}

void tst_StandardElements::everyPropertyKindIsOffered()
{
    std::set<QString> kinds;
    bool intWithChoicesAndRange = false;
    bool intWithChoicesOnly = false;
    bool asciiChoicesOnly = false;
    for (cQUIDataViewItemExtension *ext : mMgr->dataViewElementExtensions()) {
        auto properties = ext->factory()->createProperties();
        properties->initialize();
        for (cDVIAbstractProperty *p : properties->properties()) {
            kinds.insert(kindOf(p));
            if (auto *i = p->intView()) {
                const bool choices = !i->predefinedValues().empty();
                intWithChoicesAndRange = intWithChoicesAndRange || (choices && i->hasRange());
                intWithChoicesOnly = intWithChoicesOnly || (choices && !i->hasRange());
            }
            if (auto *a = p->asciiStringView())
                asciiChoicesOnly = asciiChoicesOnly
                                   || (a->onlyPredefinedValuesAllowed()
                                       && !a->predefinedValues().empty());
        }
    }
    const std::set<QString> all = {"model", "bool", "ascii", "int",
                                   "pixmap", "text", "layout", "font"};
    QCOMPARE(kinds, all);
    QVERIFY(intWithChoicesAndRange);
    QVERIFY(intWithChoicesOnly);
    QVERIFY(asciiChoicesOnly);
}

void tst_StandardElements::layoutsOnWidgetsModelsOnContainers()
{
    for (cQUIDataViewItemExtension *ext : mMgr->dataViewElementExtensions()) {
        const cVQ4VMVAbstractMVItemFactory &f = *ext->factory();
        auto properties = f.createProperties();
        properties->initialize();
        const QByteArray name = f.elementName().bytes();
        cDVIAbstractProperty *layout = properties->tryFindProperty("Layout");
        cDVIAbstractProperty *model = properties->tryFindProperty("Model");
        if (f.elementKind() == 1 || f.elementKind() == 2 || f.elementName() == "GroupBox")
            QVERIFY2(layout && layout->layoutView(), name);
        const bool container = f.elementKind() == 0 || f.elementKind() == 4
                               || f.elementKind() == 5 || f.isTopLevelElement();
        if (container)
            QVERIFY2(model && model->modelLocationView(), name);
        if (f.elementKind() == 3)
            QVERIFY2(!layout && !model, name);
    }
}

void tst_StandardElements::commandsTriggerVoidNodes()
{
    for (const char *name : {"PushButton", "MenuItem", "ToolButton"}) {
        auto properties = propertiesOf(name);
        cDVIAbstractProperty *command = properties->tryFindProperty("Command");
        QVERIFY2(command && command->modelLocationView(), name);
        QCOMPARE(command->flags() & cDVIAbstractProperty::DirectionMask,
                 unsigned(cDVIAbstractProperty::DirectionOut));
        QCOMPARE(command->allowedTypes(), vstd::cAsciiString("piVoid"));
    }
}

void tst_StandardElements::comboEntries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("semicolons") << "Red;Green; Blue" << QStringList{"Red", "Green", "Blue"};
    QTest::newRow("lines keep semicolons") << "a;b\nc" << QStringList{"a;b", "c"};
    QTest::newRow("trailing separator, blanks") << "One\n  Two \n\n" << QStringList{"One", "Two"};
    QTest::newRow("one entry") << "Only" << QStringList{"Only"};
}

void tst_StandardElements::comboEntries()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QCOMPARE(splitComboEntries(qstr(text)), entries);
}

QTEST_GUILESS_MAIN(tst_StandardElements)
#include "tst_standardelements.moc"
