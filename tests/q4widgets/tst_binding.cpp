#include "formfixture.h"

#include "q4widgets/cvq4vmvpropertybinding.h"
#include "vellcore/cerrorreporter.h"
#include "vellmva2/tgenericnode.h"

#include <QCheckBox>
#include <QDial>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTextEdit>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QDialogButtonBox>
#include <QtTest>

using namespace vmva;

namespace {

// Counts the emissions of a node's sigChanged.
class cChangeCounter : public vrmi::cConnectable
{
public:
    explicit cChangeCounter(cAbstractNodeUI &node)
    {
        node.sigChanged.connect(vrmi::cDirectLocalSlotCall0<cChangeCounter>(
            this, &cChangeCounter::sltChanged));
    }
    int count = 0;

private:
    piVoid sltChanged()
    {
        ++count;
        return {};
    }
};

// A small machine model, bound to the dialog parameter "Machine": one node of each value type
// and a nested drive.
struct tMachine : tFormFixture
{
    tMachine() : model(moduleMgr, "Machine"), drive(model, "drive"), motor(drive, "motor")
    {
        speed.properties()->setRange(0, 3000);
        for (cAbstractNodeUI *node :
             std::initializer_list<cAbstractNodeUI *>{&name, &speed, &temperature, &running,
                                                      &start, &page, &jobs})
            model.addNode(*node);
        motor.addNode(motorSpeed);
        bindParameter("Machine", model);
    }
    cDMDataModel model;
    cDMDataModel drive;
    cDMDataModel motor;
    tGenericNode<vucs::cString, cBasicModelProperties> name{"name", vucs::cString("M1")};
    tGenericNode<__int64, cRangeModelProperties> speed{"speed", 100};
    tGenericNode<double, cDRangeModelProperties> temperature{"temperature", 21.5};
    tGenericNode<bool, cBasicModelProperties> running{"running", false};
    tGenericNode<piVoid, cBasicModelProperties> start{"start"};
    tGenericNode<__int64, cBasicModelProperties> page{"page", 1};
    tGenericNode<cStringList, cBasicModelProperties> jobs{"jobs", {"a", "b", "c"}};
    tGenericNode<__int64, cRangeModelProperties> motorSpeed{"speed", 42};
};

} // namespace

class tst_Binding : public QObject
{
    Q_OBJECT

private slots:
    void nodeValuesReachWidgets();
    void userInputReachesNodes();
    void inOutDoesNotEcho();
    void refusedInputShowsTheNodeAgain_data();
    void refusedInputShowsTheNodeAgain();
    void commandMayDestroyTheForm();
    void nodesWithRulesOfTheirOwnBind();
    void locationsResolveOrStayUnbound();
    void eitherSideMayGoFirst();
    void menuAndToolBarEntriesBind();
    void laterElementsBindBothWays_data();
    void laterElementsBindBothWays();
    void entriesFollowTheirNode_data();
    void entriesFollowTheirNode();
};

void tst_Binding::nodeValuesReachWidgets()
{
    tMachine m;
    auto dialog = m.dialog(m.document([](cVQ4VMVFormWriter &w) {
        w.open("Dialog").bind("Title", "Machine.name").open("VBoxLayout");
        w.open("Label", "name").bind("Text", "Machine.name").close();
        w.open("Label", "temperature").bind("Text", "Machine.temperature").close();
        w.open("Label", "running").bind("Text", "Machine.running").close();
        w.open("ProgressBar", "bar").bind("Value", "Machine.speed").close();
        w.open("SpinBox", "spin").bind("Value", "Machine.speed").close();
        w.open("CheckBox", "check").bind("Checked", "Machine.running").close();
        w.open("PushButton", "button").bind("Enabled", "Machine.running").close();
        w.open("TabWidget", "tabs").bind("CurrentIndex", "Machine.page");
        w.open("TabPage").close().open("TabPage").close().open("TabPage").close();
        w.close();
        w.close().close();
    }));
    QVERIFY(dialog);
    const QStringList what{":windowTitle", "name:text", "temperature:text", "running:text",
                           "bar:value", "spin:value", "check:checked", "button:enabled",
                           "tabs:currentIndex", "bar:maximum", "spin:maximum"};
    // The page index was shown after the pages existed.
    QCOMPARE(shown(*dialog, what), QStringList({"M1", "M1", "21.5", "false", "100", "100",
                                                "false", "false", "1", "3000", "3000"}));
    m.name.setValue(vucs::cString("Press 7"));
    m.temperature.setValue(80.25);
    m.speed.setValue(2500);
    m.running.setValue(true);
    m.page.setValue(2);
    QCOMPARE(shown(*dialog, what), QStringList({"Press 7", "Press 7", "80.25", "true", "2500",
                                                "2500", "true", "true", "2", "3000", "3000"}));
}

void tst_Binding::userInputReachesNodes()
{
    tMachine m;
    auto dialog = m.boxDialog([](cVQ4VMVFormWriter &w) {
        w.open("LineEdit", "edit").bind("Text", "Machine.name").close();
        w.open("SpinBox", "spin").bind("Value", "Machine.speed").close();
        w.open("CheckBox", "check").bind("Checked", "Machine.running").close();
        w.open("PushButton", "start").bind("Command", "Machine.start").close();
        w.open("ComboBox", "combo").set("Entries", "a\nb\nc").bind("CurrentIndex", "Machine.page")
            .close();
        w.open("DialogButtonBox", "box").set("StandardButtons", "Save | Close | Help")
            .bind("RejectCommand", "Machine.start").close();
    });
    QVERIFY(dialog);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    cChangeCounter nameChanges(m.name), speedChanges(m.speed), runningChanges(m.running),
        startChanges(m.start), pageChanges(m.page);

    auto *edit = find<QLineEdit>(*dialog, "edit");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, "Mill");
    QCOMPARE(nameChanges.count, 0); // written when the user is done
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m.name.value(), vucs::cString("Mill"));
    QCOMPARE(nameChanges.count, 1);

    QTest::keyClick(find<QSpinBox>(*dialog, "spin"), Qt::Key_Up);
    QCOMPARE(m.speed.value(), __int64(101));
    QCOMPARE(speedChanges.count, 1);

    auto *check = find<QCheckBox>(*dialog, "check");
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    QVERIFY(m.running.value());
    QCOMPARE(runningChanges.count, 1);

    QTest::mouseClick(find<QPushButton>(*dialog, "start"), Qt::LeftButton);
    QTest::mouseClick(find<QPushButton>(*dialog, "start"), Qt::LeftButton);
    QCOMPARE(startChanges.count, 2);

    auto *combo = find<QComboBox>(*dialog, "combo");
    QCOMPARE(combo->currentIndex(), 1);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(m.page.value(), __int64(2));
    QCOMPARE(pageChanges.count, 1);

    // Only the role bound triggers its node: Save accepts, Close rejects.
    auto *box = find<QDialogButtonBox>(*dialog, "box");
    QCOMPARE(box->buttons().size(), 3);
    QTest::mouseClick(box->button(QDialogButtonBox::Save), Qt::LeftButton);
    QCOMPARE(startChanges.count, 2);
    QTest::mouseClick(box->button(QDialogButtonBox::Close), Qt::LeftButton);
    QCOMPARE(startChanges.count, 3);
}

void tst_Binding::inOutDoesNotEcho()
{
    tMachine m;
    auto dialog = m.boxDialog([](cVQ4VMVFormWriter &w) {
        w.open("SpinBox", "spin").bind("Value", "Machine.speed").close();
        w.open("SpinBox", "other").bind("Value", "Machine.speed").close();
    });
    QVERIFY(dialog);
    auto *spin = find<QSpinBox>(*dialog, "spin");
    auto *other = find<QSpinBox>(*dialog, "other");
    QSignalSpy spinSignals(spin, &QSpinBox::valueChanged);
    cChangeCounter changes(m.speed);

    m.speed.setValue(7);
    QCOMPARE(spin->value(), 7);
    QCOMPARE(spinSignals.count(), 0); // shown with the widget's signals blocked
    QCOMPARE(changes.count, 1);

    // The user's change reaches the node once and the other view of it.
    spin->setValue(9);
    QCOMPARE(m.speed.value(), __int64(9));
    QCOMPARE(changes.count, 2);
    QCOMPARE(other->value(), 9);
}

void tst_Binding::refusedInputShowsTheNodeAgain_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error");
    QTest::newRow("read-only view") << "SpinBox" << false << QString()
                                    << "Model \"speed\" is not writeable!";
    QTest::newRow("out of range") << "LineEdit" << true << "42"
                                  << "Value 42 of model \"speed\" is out of range 0 to 10!";
}

// What the node refuses is shown by the application's error reporter, once; the widget shows
// the node's value again.
void tst_Binding::refusedInputShowsTheNodeAgain()
{
    QFETCH(QString, element);
    QFETCH(bool, writable);
    QFETCH(QString, typed);
    QFETCH(QString, error);
    tMachine m;
    m.speed.properties()->setRange(0, 10);
    m.speed.setValue(7);
    cDMDataModel view(m.moduleMgr, "View");
    tGenericNode<__int64, cRangeModelProperties> speedView("speed");
    speedView.setRef(m.speed);
    speedView.ui()->setWritable(writable);
    view.addNode(speedView);
    m.bindParameter("View", view);
    const bool text = element == "LineEdit";
    const QByteArray type = element.toUtf8();
    auto dialog = m.boxDialog([&](cVQ4VMVFormWriter &w) {
        w.open(type.constData(), "input").bind(text ? "Text" : "Value", "View.speed").close();
    });
    QVERIFY(dialog);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QStringList reported;
    auto previous = vpi::cErrorReporter::setHandler(
        [&reported](const vstd::cAbstractException &e) { reported << e.what(); });
    auto *input = find<QWidget>(*dialog, "input");
    input->setFocus();
    if (typed.isEmpty()) {
        QTest::keyClick(input, Qt::Key_Up);
    } else {
        QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(input, typed);
        QTest::keyClick(input, Qt::Key_Return);
    }
    vpi::cErrorReporter::setHandler(previous);
    QCOMPARE(reported, QStringList({error}));
    QCOMPARE(m.speed.value(), __int64(7));
    QCOMPARE(input->property(text ? "text" : "value").toString(), QString("7"));
}

// A command whose receiver destroys the form, the pressed button and its binding with it.
void tst_Binding::commandMayDestroyTheForm()
{
    tMachine m;
    auto dialog = m.boxDialog([](cVQ4VMVFormWriter &w) {
        w.open("PushButton", "start").bind("Command", "Machine.start").close();
    });
    QVERIFY(dialog);
    struct cCloser : vrmi::cConnectable
    {
        std::unique_ptr<cVQ4AppWidget> *form;
        piVoid close()
        {
            form->reset();
            return {};
        }
    } closer;
    closer.form = &dialog;
    m.start.sigChanged.connect(vrmi::cDirectLocalSlotCall0<cCloser>(&closer, &cCloser::close));
    QPointer<QPushButton> button = find<QPushButton>(*dialog, "start");
    button->click();
    QVERIFY(!dialog);
    QVERIFY(!button);
}

namespace {
// Access rules a model may define for itself.
class cLimitedRules : public cBasicModelProperties
{
};
} // namespace

void tst_Binding::nodesWithRulesOfTheirOwnBind()
{
    tFormFixture f;
    cDMDataModel model(f.moduleMgr, "Own");
    tGenericNode<__int64, cLimitedRules> count("count", 12);
    model.addNode(count);
    f.bindParameter("Own", model);
    auto dialog = f.boxDialog([](cVQ4VMVFormWriter &w) {
        w.open("SpinBox", "spin").bind("Value", "Own.count").close();
    });
    QVERIFY(dialog);
    auto *spin = find<QSpinBox>(*dialog, "spin");
    QCOMPARE(spin->value(), 12);
    count.setValue(20);
    QCOMPARE(spin->value(), 20);
    cChangeCounter changes(count);
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(count.value(), __int64(21));
    QCOMPARE(changes.count, 1);
}

// Locations through a parameter naming a sub-model, relative to a container's model, and those
// that resolve to nothing: the label keeps its own text and the trace says why.
void tst_Binding::locationsResolveOrStayUnbound()
{
    tMachine m;
    m.arguments.addParameter("Unset");
    m.arguments.addParameter("Gone");
    m.arguments.changeParameter("Gone", vcs::cComponentAddr(), "NoSuchModel");
    m.arguments.addParameter("Drive");
    m.arguments.changeParameter("Drive", vcs::cComponentAddr(), "Machine.drive");
    cTraceCollector traces;
    auto dialog = m.boxDialog([](cVQ4VMVFormWriter &w) {
        w.open("Label", "a").set("Text", "static a").bind("Text", "Other.name").close();
        w.open("Label", "b").set("Text", "static b").bind("Text", "Unset.name").close();
        w.open("Label", "c").set("Text", "static c").bind("Text", "Machine.nothing").close();
        w.open("Label", "d").set("Text", "static d").bind("Text", "Gone.name").close();
        w.open("Label", "e").set("Text", "static e").bind("Text", "Machine.name").close();
        w.open("Label", "f").bind("Text", "Drive.motor.speed").close();
        w.open("GroupBox").bind("Model", "Machine.drive").open("VBoxLayout");
        w.open("Label", "inner").bind("Text", "$(modelPath).motor.speed").close();
        w.close().close();
        // Outside the group there is no model the location could be relative to.
        w.open("Label", "outer").set("Text", "none").bind("Text", "$(modelPath).motor.speed")
            .close();
    });
    QVERIFY(dialog);
    const QStringList labels{"a:text", "b:text", "c:text", "d:text", "e:text", "f:text",
                             "inner:text", "outer:text"};
    QCOMPARE(shown(*dialog, labels), QStringList({"static a", "static b", "static c",
                                                  "static d", "M1", "42", "42", "none"}));
    QCOMPARE(dialog->findChildren<cVQ4VMVPropertyBinding *>().size(), 3);
    m.motorSpeed.setValue(43);
    QCOMPARE(find<QLabel>(*dialog, "inner")->text(), QString("43"));
    QCOMPARE(traces.matching("Parameter Other is unknown!").size(), 1);
    QCOMPARE(traces.matching("Parameter Unset is not set!").size(), 1);
    QCOMPARE(traces.matching("Node nothing not found in model Machine!").size(), 1);
    QCOMPARE(traces.matching("Model NoSuchModel of parameter Gone not found!").size(), 1);
}

// A form destroyed before its node leaves no receivers behind; a node destroyed before its
// form tells the bindings, and the widgets go on without it.
void tst_Binding::eitherSideMayGoFirst()
{
    tFormFixture f;
    cDMDataModel model(f.moduleMgr, "Temp");
    auto node = std::make_unique<tGenericNode<__int64, cRangeModelProperties>>("level", 3);
    model.addNode(*node);
    f.bindParameter("Temp", model);
    const auto write = [](cVQ4VMVFormWriter &w) {
        w.open("SpinBox", "spin").bind("Value", "Temp.level").close();
        w.open("Label", "label").bind("Text", "Temp.level").close();
    };
    auto dialog = f.boxDialog(write);
    QVERIFY(dialog);
    QCOMPARE(node->sigChanged.receiverCount(), 2);
    QCOMPARE(node->sigInvalid.receiverCount(), 2);
    dialog.reset();
    QCOMPARE(node->sigChanged.receiverCount(), 0);
    QCOMPARE(node->sigInvalid.receiverCount(), 0);
    node->setValue(5);
    node->setValue(3);

    dialog = f.boxDialog(write);
    const auto bindings = dialog->findChildren<cVQ4VMVPropertyBinding *>();
    QCOMPARE(bindings.size(), 2);
    int lost = 0;
    for (cVQ4VMVPropertyBinding *binding : bindings)
        QObject::connect(binding, &cVQ4VMVPropertyBinding::nodeLost, [&lost] { ++lost; });
    node.reset();
    QCOMPARE(lost, 2);   // whoever built the form may rebuild it
    for (cVQ4VMVPropertyBinding *binding : bindings)
        QVERIFY(!binding->node());
    auto *spin = find<QSpinBox>(*dialog, "spin");
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(spin->value(), 4);
    QCOMPARE(find<QLabel>(*dialog, "label")->text(), QString("3"));
}

void tst_Binding::menuAndToolBarEntriesBind()
{
    tMachine m;
    auto menu = m.menu(m.document([](cVQ4VMVFormWriter &w) {
        w.open("Menu").bind("Title", "Machine.name");
        w.open("MenuItem", "start").set("Text", "Start").bind("Command", "Machine.start").close();
        w.open("MenuItem", "run").set("Checkable", true).bind("Checked", "Machine.running")
            .close();
        w.close();
    }));
    QVERIFY(menu);
    QCOMPARE(menu->title(), QString("M1"));
    cChangeCounter startChanges(m.start), runningChanges(m.running);
    auto *run = menu->findChild<QAction *>("run");
    menu->findChild<QAction *>("start")->trigger();
    QCOMPARE(startChanges.count, 1);
    m.running.setValue(true);
    QVERIFY(run->isChecked());
    run->trigger();
    QVERIFY(!m.running.value());
    QCOMPARE(runningChanges.count, 2);

    auto bar = m.toolBar(m.document([](cVQ4VMVFormWriter &w) {
        w.open("ToolBar").open("ToolButton", "go").set("Text", "Go")
            .bind("Command", "Machine.start").bind("Enabled", "Machine.running").close();
        w.close();
    }));
    QVERIFY(bar);
    auto *button = bar->findChild<QToolButton *>("go");
    QVERIFY(button && !button->isEnabled());
    m.running.setValue(true);
    QVERIFY(button->isEnabled());
    bar->show();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(startChanges.count, 2);
}

void tst_Binding::laterElementsBindBothWays_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("qtProperty");
    // What the node shows first, then after the node changed, then the node after the user's
    // input.
    QTest::addColumn<QStringList>("values");
    QTest::newRow("radio button") << "RadioButton" << "Checked" << "running" << "checked"
                                  << QStringList{"false", "true", "false"};
    QTest::newRow("text edit") << "TextEdit" << "Text" << "name" << "plainText"
                               << QStringList{"M1", "Press 7", "Press 7!"};
    QTest::newRow("slider") << "Slider" << "Value" << "speed" << "value"
                            << QStringList{"100", "2500", "2501"};
    QTest::newRow("double spin box") << "DoubleSpinBox" << "Value" << "temperature" << "value"
                                     << QStringList{"21.5", "80.25", "81.25"};
    QTest::newRow("dial") << "Dial" << "Value" << "speed" << "value"
                          << QStringList{"100", "2500", "2501"};
    QTest::newRow("list") << "ListWidget" << "CurrentRow" << "page" << "currentRow"
                          << QStringList{"1", "2", "3"};
    QTest::newRow("stacked widget") << "StackedWidget" << "CurrentIndex" << "page"
                                    << "currentIndex" << QStringList{"1", "2", "3"};
    // A text that names no date leaves the editor at its own value; the year comes first.
    QTest::newRow("date edit") << "DateEdit" << "Value" << "name" << "date"
                               << QStringList{"2000-01-01", "2026-12-07", "2027-12-07"};
    QTest::newRow("time edit") << "TimeEdit" << "Value" << "name" << "text"
                               << QStringList{"00:00:00", "14:30:00", "15:30:00"};
    QTest::newRow("date-time edit")
        << "DateTimeEdit" << "Value" << "name" << "text"
        << QStringList{"2000-01-01T00:00:00", "2026-02-28T23:59:00", "2027-02-28T23:59:00"};
}

// The node's value reaches the widget when built and when it changes; the user's input, made
// with the keyboard as a user would, reaches the node.
void tst_Binding::laterElementsBindBothWays()
{
    QFETCH(QString, element);
    QFETCH(QString, property);
    QFETCH(QString, node);
    QFETCH(QString, qtProperty);
    QFETCH(QStringList, values);
    tMachine m;
    auto dialog = m.boxDialog([&](cVQ4VMVFormWriter &w) {
        w.open(element.toLatin1().constData(), "w")
            .bind(property.toLatin1().constData(), ("Machine." + node).toLatin1().constData());
        if (element == "ListWidget")
            w.set("Entries", "a\nb\nc\nd\ne");
        if (element == "DateTimeEdit")
            w.set("DisplayFormat", "yyyy-MM-dd'T'HH:mm:ss");
        if (element == "StackedWidget")
            for (int i = 0; i < 5; ++i)
                w.open("TabPage").close();
        w.close();
        // A checked radio button beside the bound one, which the user's click clears.
        if (element == "RadioButton")
            w.open("RadioButton", "other").set("Checked", true).close();
    });
    QVERIFY(dialog);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const QStringList what{"w:" + qtProperty};
    QCOMPARE(shown(*dialog, what), values.mid(0, 1));
    if (node == "running")
        m.running.setValue(true);
    else if (node == "name")
        m.name.setValue(qstr(values[1]));
    else if (node == "speed")
        m.speed.setValue(2500);
    else if (node == "temperature")
        m.temperature.setValue(80.25);
    else
        m.page.setValue(2);
    QCOMPARE(shown(*dialog, what), values.mid(1, 1));

    auto *widget = dialog->findChild<QWidget *>("w");
    if (node == "running") {
        // The user chooses the other button: the bound one is cleared and says so.
        dialog->findChild<QRadioButton *>("other")->click();
    } else if (auto *stack = qobject_cast<QStackedWidget *>(widget)) {
        stack->setCurrentIndex(3); // a stacked widget takes no input of its own
    } else {
        widget->setFocus();
        if (auto *edit = qobject_cast<QTextEdit *>(widget)) {
            edit->moveCursor(QTextCursor::End);
            QTest::keyClick(widget, Qt::Key_Exclam, Qt::ShiftModifier);
        } else if (qobject_cast<QListWidget *>(widget)) {
            QTest::keyClick(widget, Qt::Key_Down);
        } else {
            QTest::keyClick(widget, Qt::Key_Up);
        }
    }
    QString written;
    if (node == "running")
        written = m.running.value() ? "true" : "false";
    else if (node == "name")
        written = qstr(m.name.value());
    else if (node == "temperature")
        written = QString::number(m.temperature.value());
    else
        written = QString::number(node == "speed" ? m.speed.value() : m.page.value());
    QCOMPARE(written, values[2]);
}

void tst_Binding::entriesFollowTheirNode_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("index"); // the property of the current entry's index
    QTest::newRow("combo box") << "ComboBox" << "CurrentIndex";
    QTest::newRow("list") << "ListWidget" << "CurrentRow";
}

// The node's entries replace the widget's; the current entry stays current where it is still
// offered, and the bound index follows it, while the index binding works both ways.
void tst_Binding::entriesFollowTheirNode()
{
    QFETCH(QString, element);
    QFETCH(QString, index);
    tMachine m;
    auto dialog = m.boxDialog([&](cVQ4VMVFormWriter &w) {
        w.open(element.toLatin1().constData(), "w").set("Entries", "static")
            .bind("Entries", "Machine.jobs").bind(index.toLatin1().constData(), "Machine.page")
            .close();
    });
    QVERIFY(dialog);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QWidget *widget = dialog->findChild<QWidget *>("w");
    auto *combo = qobject_cast<QComboBox *>(widget);
    auto *list = qobject_cast<QListWidget *>(widget);
    QVERIFY(combo || list);
    // The entries, the current one in brackets, and the index node.
    const auto state = [&] {
        QStringList entries;
        const int count = combo ? combo->count() : list->count();
        const int current = combo ? combo->currentIndex() : list->currentRow();
        for (int i = 0; i < count; ++i) {
            const QString text = combo ? combo->itemText(i) : list->item(i)->text();
            entries << (i == current ? "[" + text + "]" : text);
        }
        return entries.join(' ') + " / " + QString::number(m.page.value());
    };
    QCOMPARE(state(), QString("a [b] c / 1"));
    cChangeCounter pageChanges(m.page);
    m.jobs.setValue({"z", "a", "b"});
    QCOMPARE(state(), QString("z a [b] / 2"));
    QCOMPARE(pageChanges.count, 1);
    m.jobs.setValue({"z", "a", "b"}); // the same entries: nothing moves
    m.jobs.setValue({"z", "b", "b"}); // its own row still holds it
    QCOMPARE(state(), QString("z b [b] / 2"));
    m.jobs.setValue({"z", "q"}); // gone: the row in its place
    QCOMPARE(state(), QString("z [q] / 1"));
    QCOMPARE(pageChanges.count, 2);
    m.page.setValue(0);
    QCOMPARE(state(), QString("[z] q / 0"));
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Down);
    QCOMPARE(state(), QString("z [q] / 1"));
    // No entries name no index: the node keeps its own.
    m.jobs.setValue({});
    QCOMPARE(state(), QString(" / 1"));
    // A combo box with entries always has a current one; a list may have none.
    m.jobs.setValue({"n"});
    QCOMPARE(state(), combo ? QString("[n] / 0") : QString("n / 1"));
}

QTEST_MAIN(tst_Binding)
#include "tst_binding.moc"
