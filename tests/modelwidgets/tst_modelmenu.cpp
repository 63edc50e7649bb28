#include "modeltesthost.h"

#include "qvmvmodelmenu/cqvmvmodelmenu.h"
#include "qvmvmodelmenu/cqvmvmodelpathcompleter.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QtTest>

namespace {

// Records what the menu reports.
struct cReceiver : vrmi::cConnectable
{
    piVoid assign(const vstd::cAsciiString &key, const vstd::cAsciiString &parameter,
                  const vstd::cAsciiString &path)
    {
        got << qstr(key) + " " + qstr(parameter) + " " + qstr(path);
        return {};
    }
    QStringList got;
};

} // namespace

// The "Assign to model" cascade built from the dialog parameters and their models.
class tst_ModelMenu : public QObject
{
    Q_OBJECT

    vcs::cModuleMgr mMgr;
    cVQ4Application mApp{mMgr};
    vsa::cReferenceFrame mFrame;
    cTestProvider mProvider{mMgr, mFrame, "P"};
    vmva::cDMDataModel mMachine{mMgr, "Machine"};
    vmva::cDMDataModel mDrive{mMachine, "drive"};
    vmva::cDMDataModel mMotor{mDrive, "motor"};
    vmva::cDMDataModel mGroups{mMgr, "Groups"};
    vmva::cDMDataModel mGroupA{mGroups, "a"};
    vmva::cDMDataModel mGroupB{mGroups, "b"};
    tText mName{"name"};
    tNumber mSpeed{"speed"}, mMotorSpeed{"speed"}, mGear{"gear"};
    tReal mCurrent{"current"};
    tList mJobs{"jobs"};

    const QStringList mMachineOutline{"  (Model Elements)", "  --", "  drive/", "    motor/",
                                      "      speed", "      current", "    --", "    gear",
                                      "  --", "  name", "  speed", "  jobs"};

private slots:
    void initTestCase()
    {
        mMachine.setComponent(mProvider);
        mGroups.setComponent(mProvider);
        mMachine.addNode(mName);
        mMachine.addNode(mSpeed);
        mMachine.addNode(mJobs);
        mDrive.addNode(mGear);
        mMotor.addNode(mMotorSpeed);
        mMotor.addNode(mCurrent);
    }

    // Outlines of the cascade; `types` are the property's allowed types, and the nodes of
    // other value types are greyed ("(name)").
    void outline_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("types");
        QTest::addColumn<QStringList>("expected");
        const QStringList head{"(Model Parameter)", "--"};
        QStringList everyModel{"(No parameter yet: a node chosen adds one)",
                               "Component (\"P\"@" + qstr(mProvider.address().toString())
                                   + ")/",
                               "  Machine/"};
        for (const QString &line : mMachineOutline.mid(2))
            everyModel << "  " + line;
        everyModel << QStringList({"  Groups/", "    a/", "    b/", "    --"});
        QTest::newRow("no parameters") << "" << "" << head + everyModel;
        QTest::newRow("bound") << "bound" << "" << head + QStringList("Machine/")
                                                       + mMachineOutline;
        QTest::newRow("set, looked up") << "set" << "" << head + QStringList("Machine/")
                                                        + mMachineOutline;
        QTest::newRow("model not found") << "missing" << "" << head + QStringList(
            {"Machine/", "  (Model Elements)", "  --"});
        QTest::newRow("sub-models without nodes")
            << "groups" << "" << head + QStringList({"Machine/", "  (Model Elements)", "  --",
                                                     "  a/", "  b/", "  --"});
        QStringList texts = head + QStringList("Machine/") + mMachineOutline;
        for (QString &line : texts)
            for (const char *number : {"speed", "current", "gear", "jobs"})
                if (line.trimmed() == number)
                    line.replace(number, QString("(%1)").arg(number));
        QTest::newRow("texts only") << "bound" << "cString" << texts;
        QStringList numbers = head + QStringList("Machine/") + mMachineOutline;
        numbers.replaceInStrings(QRegularExpression("^(\\s*)(name|jobs)$"), "\\1(\\2)");
        QTest::newRow("numbers, commas") << "bound" << "piInt64,, piDouble" << numbers;
        QStringList lists = head + QStringList("Machine/") + mMachineOutline;
        lists.replaceInStrings(QRegularExpression("^(\\s*)(name|speed|current|gear)$"),
                               "\\1(\\2)");
        QTest::newRow("lists only") << "bound" << "cStringList" << lists;
        QTest::newRow("a model: every node") << "bound" << "cDMDataModel"
                                             << head + QStringList("Machine/") + mMachineOutline;
    }
    void outline()
    {
        QFETCH(QString, setup);
        QFETCH(QString, types);
        QFETCH(QStringList, expected);
        vmva::cDVDataViewArgList parameters;
        if (!setup.isEmpty())
            parameters.addParameter("Machine");
        const vcs::cComponentAddr at = mProvider.address();
        if (setup == "bound")
            parameters.bindModel("Machine", &mMachine);
        else if (setup == "set")
            parameters.changeParameter("Machine", at, "Machine");
        else if (setup == "missing")
            parameters.changeParameter("Machine", at, "Pump");
        else if (setup == "groups")
            parameters.changeParameter("Machine", at, "Groups");
        cTraceCapture trace;
        QMenu popup;
        cQVMVModelMenu menu("Text", &popup, &mApp.vmvMgr(), &parameters,
                            types.toLatin1().data());
        QCOMPARE(popup.actions().size(), 1);
        QCOMPARE(popup.actions()[0]->menu(), menu.menu());
        QCOMPARE(menuOutline(*menu.menu()), expected);
        // Only a parameter that is set but bound to no live model is traced.
        const auto *argument = parameters.tryFindParameter("Machine");
        if (argument && argument->isSet() && !argument->hasDM())
            QCOMPARE(trace.lines, QStringList({"** cQVMVModelMenu::buildMenu **",
                                               " Prm: Machine", " Mdl: " + qstr(
                                                   argument->modelName())}));
        else
            QVERIFY(trace.lines.isEmpty());
    }

    void choiceReportsParameterAndDottedPath()
    {
        // Two parameters naming the same model: the reported parameter tells them apart.
        vmva::cDVDataViewArgList parameters;
        parameters.addParameter("A");
        parameters.addParameter("B");
        parameters.bindModel("A", &mMachine);
        parameters.changeParameter("B", mProvider.address(), "Machine");
        QMenu popup;
        QAction *foreign = popup.addAction("Copy");
        cQVMVModelMenu menu("Text", &popup, &mApp.vmvMgr(), &parameters);
        QStringList keys;
        for (const auto &key : menu.keySets())
            keys << qstr(key->parameterName) + ":" + qstr(key->elementPath);
        const QStringList paths{"drive.motor.speed", "drive.motor.current", "drive.gear", "name",
                                "speed", "jobs"};
        QStringList expected;
        for (const char *p : {"A", "B"})
            for (const QString &path : paths)
                expected << QString(p) + ":" + path;
        QCOMPARE(keys, expected);

        cReceiver receiver;
        menu.sigAssignModelElement.connect(
            vrmi::cDirectLocalSlotCall3<cReceiver, const vstd::cAsciiString &,
                                        const vstd::cAsciiString &, const vstd::cAsciiString &>(
                receiver, &cReceiver::assign));
        const QList<QAction *> bMenu = menu.menu()->actions()[3]->menu()->actions();
        QAction *heading = bMenu[0];
        QAction *motorSpeed = bMenu[2]->menu()->actions()[0]->menu()->actions()[0];
        for (QAction *ignored : {static_cast<QAction *>(nullptr), heading, foreign})
            menu.actionTriggered(ignored);
        QVERIFY(receiver.got.isEmpty());
        menu.actionTriggered(motorSpeed);
        QCOMPARE(receiver.got, QStringList("Text B drive.motor.speed"));
    }

    // Without parameters, a node chosen under its component adds a parameter for its model
    // (named after it, unless another model took the name) and reports that parameter.
    void choiceWithoutParameterAddsOne()
    {
        vmva::cDVDataViewArgList parameters;
        QMenu popup;
        cQVMVModelMenu menu("Text", &popup, &mApp.vmvMgr(), &parameters);
        cReceiver receiver;
        menu.sigAssignModelElement.connect(
            vrmi::cDirectLocalSlotCall3<cReceiver, const vstd::cAsciiString &,
                                        const vstd::cAsciiString &, const vstd::cAsciiString &>(
                receiver, &cReceiver::assign));
        QMenu *machine = menu.menu()->actions()[3]->menu()->actions()[0]->menu();
        QMenu *drive = machine->actions()[0]->menu();
        menu.actionTriggered(drive->actions().last());
        QCOMPARE(receiver.got, QStringList("Text Machine drive.gear"));
        const auto *added = parameters.tryFindParameter("Machine");
        QVERIFY(added && added->modelName() == "Machine");
        QVERIFY(added->location() == mProvider.address());
        QCOMPARE(parameters.arguments().size(), size_t(1));

        QCOMPARE(qstr(cQVMVModelMenu::parameterNameFor(parameters, "Machine",
                                                       mProvider.address())), QString("Machine"));
        parameters.changeParameter("Machine", mProvider.address(), "Groups");
        QCOMPARE(qstr(cQVMVModelMenu::parameterNameFor(parameters, "Machine",
                                                       mProvider.address())), QString("Machine2"));
    }

    void completesOneSegmentAtATime_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("parameter") << "M" << QStringList("Machine");
        QTest::newRow("model's first level") << "Machine." << QStringList({"drive", "name",
                                                                          "speed", "jobs"});
        QTest::newRow("sub-model") << "Machine.drive.m" << QStringList("motor");
        QTest::newRow("node two deep") << "Machine.drive.motor.c" << QStringList("current");
        QTest::newRow("no such sub-model") << "Machine.pump." << QStringList();
        QTest::newRow("parameter without model") << "Unset." << QStringList();
    }
    void completesOneSegmentAtATime()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, offered);
        vmva::cDVDataViewArgList parameters;
        parameters.addParameter("Machine");
        parameters.addParameter("Unset");
        parameters.changeParameter("Machine", mProvider.address(), "Machine");
        QLineEdit edit;
        auto *completer = new cQVMVModelPathCompleter(&mApp.vmvMgr(), &parameters, &edit);
        completer->attach(&edit);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTest::keyClicks(&edit, typed);
        QStringList got;
        if (completer->popup()->isVisible())
            for (int i = 0; i < completer->completionModel()->rowCount(); ++i)
                got << completer->completionModel()->index(i, 0).data().toString();
        QCOMPARE(got, offered);
        if (!offered.isEmpty()) {
            // Choosing a candidate writes the whole path; Return is the field's own business.
            QTest::keyClick(completer->popup(), Qt::Key_Down);
            QTest::keyClick(completer->popup(), Qt::Key_Return);
            QCOMPARE(edit.text(), typed.left(typed.lastIndexOf('.') + 1) + offered.first());
        }
    }
};

QTEST_MAIN(tst_ModelMenu)
#include "tst_modelmenu.moc"
