#include "vellcore/cmodulemgr.h"
#include "vellmva2/cdmdatamodeldescriptor.h"
#include "vellmva2/cdvabstractdataviewmgr.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <QtTest>

namespace {

struct Provider : vcs::cAbstractComponent
{
    Provider(vcs::cModuleMgr &mgr, vsa::cReferenceFrame &frame)
        : vcs::cAbstractComponent(mgr, frame) {}
};

struct ChangeLog : vrmi::cConnectable
{
    explicit ChangeLog(vmva::cDVDataViewArgList &list) : list(&list)
    {
        list.sigChanged.connect(
            vrmi::cDirectLocalSlotCall2<ChangeLog, const vmva::cDVDataViewArgList &,
                                        const vstd::cAsciiString &>(this, &ChangeLog::changed));
    }
    piVoid changed(const vmva::cDVDataViewArgList &from, const vstd::cAsciiString &name)
    {
        names << (&from == list ? qstr(name) : QStringLiteral("<other list>"));
        if (onChange)
            onChange();
        return {};
    }
    vmva::cDVDataViewArgList *list;
    QStringList names;
    std::function<void()> onChange;
};

QStringList parameterNames(const vmva::cDVDataViewArgList &list)
{
    QStringList out;
    for (const auto *a : list.arguments())
        out << qstr(a->parameterName());
    return out;
}

} // namespace

// The dialog argument list, model locations and the "parameter.path" split.
class tst_Arguments : public QObject
{
    Q_OBJECT
private slots:
    void addFindRemoveInOrder();
    void changeParameterAssignsModel();
    void bindModelFollowsItsDestruction();
    void unknownNamesAreRefused();
    void receiverMayRemoveTheChangedParameter();
    void descriptorText();
    void splitPath_data();
    void splitPath();
};

void tst_Arguments::addFindRemoveInOrder()
{
    vmva::cDVDataViewArgList list;
    list.addParameter("A");   // no receiver yet: must not throw
    ChangeLog log(list);
    auto &b = list.addParameter("B");
    QCOMPARE(&list.addParameter("B"), &b);   // an existing name is kept, no change reported
    list.addParameter("C");
    QCOMPARE(parameterNames(list), QStringList({"A", "B", "C"}));
    QCOMPARE(list.tryFindParameter("B"), &b);
    QCOMPARE(list.tryFindParameter("b"), nullptr);
    QVERIFY(!b.isSet());
    QCOMPARE(b.hasDM(), nullptr);
    list.removeParameter("B");
    QCOMPARE(parameterNames(list), QStringList({"A", "C"}));
    QCOMPARE(log.names, QStringList({"B", "C", "B"}));
}

void tst_Arguments::changeParameterAssignsModel()
{
    vmva::cDVDataViewArgList list;
    ChangeLog log(list);
    list.addParameter("Machine");
    list.changeParameter("Machine", vcs::cComponentAddr("local", 3), "Main.drive");
    const auto *a = list.tryFindParameter("Machine");
    QVERIFY(a->isSet());
    QCOMPARE(QString(a->modelName().c_str()), QString("Main.drive"));
    QCOMPARE(QString(a->location().toString().c_str()), QString("local:3"));
    QCOMPARE(log.names, QStringList({"Machine", "Machine"}));
}

void tst_Arguments::bindModelFollowsItsDestruction()
{
    vcs::cModuleMgr mgr;
    vsa::cReferenceFrame frame;
    Provider p(mgr, frame);
    vmva::cDVDataViewArgList list;
    list.addParameter("P");
    ChangeLog log(list);
    auto machine = std::make_unique<vmva::cDMDataModel>(mgr, "Machine");
    machine->setComponent(p);
    vmva::cDMDataModel drive(*machine, "drive");

    list.bindModel("P", &drive);
    const auto *a = list.tryFindParameter("P");
    QCOMPARE(a->hasDM(), &drive);
    QCOMPARE(QString(a->modelName().c_str()), QString("Machine.drive"));
    QCOMPARE(a->location(), p.address());

    // Assigning another model by name drops the live binding; the same one keeps it.
    list.changeParameter("P", p.address(), "Machine.drive");
    QCOMPARE(a->hasDM(), &drive);
    list.changeParameter("P", p.address(), "Machine");
    QCOMPARE(a->hasDM(), nullptr);

    list.bindModel("P", machine.get());
    log.names.clear();
    machine.reset();
    QCOMPARE(a->hasDM(), nullptr);
    QCOMPARE(log.names, QStringList({"P"}));
    QVERIFY(a->isSet());   // still names the model, which may come back

    // Unbinding with null keeps the assignment.
    list.bindModel("P", &drive);
    list.bindModel("P", nullptr);
    QCOMPARE(a->hasDM(), nullptr);
    QVERIFY(a->isSet());
}

void tst_Arguments::unknownNamesAreRefused()
{
    vmva::cDVDataViewArgList list;
    list.addParameter("A");
    ChangeLog log(list);
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, list.removeParameter("X"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException,
                             list.changeParameter("X", vcs::cComponentAddr(), "M"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, list.bindModel("X", nullptr));
    QCOMPARE(parameterNames(list), QStringList({"A"}));
    QVERIFY(log.names.isEmpty());
}

void tst_Arguments::receiverMayRemoveTheChangedParameter()
{
    vmva::cDVDataViewArgList list;
    list.addParameter("A");
    ChangeLog first(list), second(list);
    first.onChange = [&] {
        if (list.tryFindParameter("A"))
            list.removeParameter("A");
    };
    list.changeParameter("A", vcs::cComponentAddr("local", 1), "M");
    QVERIFY(list.arguments().empty());
    QCOMPARE(second.names, QStringList({"A", "A"}));
}

void tst_Arguments::descriptorText()
{
    QCOMPARE(QString(vmva::cDMDataModelDescriptor().toString().c_str()), QString("unset"));
    QVERIFY(vmva::cDMDataModelDescriptor().isEmpty());
    const vmva::cDMDataModelDescriptor d("Machine", "drive.motor.speed");
    QCOMPARE(QString(d.toString().c_str()), QString("Machine.drive.motor.speed"));
    QVERIFY(d != vmva::cDMDataModelDescriptor("Machine", "drive"));
    QCOMPARE(QString(vmva::cDMDataModelDescriptor("$(modelPath)", "x").toString().c_str()),
             QString("$(modelPath).x"));
}

void tst_Arguments::splitPath_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("rest");
    QTest::newRow("simple") << "Machine.speed" << true << "Machine" << "speed";
    QTest::newRow("two dots") << "Machine.drive.speed" << true << "Machine" << "drive.speed";
    QTest::newRow("empty path") << "Machine." << true << "Machine" << "";
    QTest::newRow("empty parameter") << ".speed" << true << "" << "speed";
    QTest::newRow("placeholder") << "$(modelPath).a_1" << true << "$(modelPath)" << "a_1";
    QTest::newRow("double dot") << "a..b" << true << "a" << ".b";
    QTest::newRow("no dot") << "Machine" << false << "" << "";
    QTest::newRow("empty") << "" << false << "" << "";
    QTest::newRow("blank") << "Machine. speed" << false << "" << "";
    QTest::newRow("minus") << "a-b.c" << false << "" << "";
    QTest::newRow("question mark") << "M?.x" << false << "" << "";
}

void tst_Arguments::splitPath()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    vstd::cAsciiString first = "old", rest = "old";
    try {
        vmva::cDVAbstractDataViewMgr::splitPath(vstd::cAsciiString(text.toLatin1()), first, rest);
        QVERIFY2(ok, "accepted");
        QTEST(QString(first.c_str()), "first");
        QTEST(QString(rest.c_str()), "rest");
    } catch (const vstd::cRuntimeException &) {
        QVERIFY2(!ok, "refused");
        QCOMPARE(QString(first.c_str()), QString("old"));
    }
}

QTEST_GUILESS_MAIN(tst_Arguments)
#include "tst_arguments.moc"
