#include "modeltesthost.h"

#include "qvmvdialogparameterdlg/cqvmvdialogprmdialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

// The "Dialog parameters" panel: its rows, New and Remove, and "Assign..." with its menu.
class tst_DialogParameters : public QObject
{
    Q_OBJECT

    vcs::cModuleMgr mMgr;
    cVQ4Application mApp{mMgr};
    vsa::cReferenceFrame mFrame;
    cTestProvider mProvider{mMgr, mFrame, "P"};
    cTestProvider mNoContext{mMgr, mFrame, "Q", ""};
    vmva::cDMDataModel mMain{mMgr, "Main"};
    vmva::cDMDataModel mDrive{mMain, "drive"};
    vmva::cDMDataModel mMotor{mDrive, "motor"};
    vmva::cDMDataModel mOther{mMgr, "Other"};
    std::unique_ptr<vmva::cDVDataViewArgList> mArguments;
    std::unique_ptr<cQVMVDialogPrmDialog> mPanel;

    QTreeWidget *list() const { return mPanel->findChild<QTreeWidget *>("mpLstParamters"); }
    QLineEdit *field() const { return mPanel->findChild<QLineEdit *>("mpTxtParameter"); }
    void press(const char *button)
    {
        QTest::mouseClick(mPanel->findChild<QPushButton *>(button), Qt::LeftButton);
    }
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            out << list()->topLevelItem(i)->text(0) + " = " + list()->topLevelItem(i)->text(1);
        return out;
    }
    QString main() const { return qstr(mProvider.address().toString()) + " : Main"; }

private slots:
    void initTestCase()
    {
        mMain.setComponent(mProvider);
        mOther.setComponent(mNoContext);
    }
    void init()
    {
        mArguments = std::make_unique<vmva::cDVDataViewArgList>();
        mPanel = std::make_unique<cQVMVDialogPrmDialog>(nullptr, &mApp.vmvMgr(),
                                                        mArguments.get());
        mPanel->show();
    }
    void cleanup()
    {
        mPanel.reset();
        mArguments.reset();
    }

    void rowsFollowTheArgumentList()
    {
        mArguments->addParameter("A");
        mArguments->addParameter("B");
        mArguments->changeParameter("A", mProvider.address(), "Main");
        QCOMPARE(rows(), QStringList({"A = " + main(), "B = <unset>"}));
        QCOMPARE(list()->currentItem()->text(0), QString("B"));
        QCOMPARE(field()->text(), QString("B"));

        list()->setCurrentItem(nullptr);
        QCOMPARE(field()->text(), QString());
    }

    void newAndRemoveTakeTheTypedName()
    {
        field()->setText(QString());
        press("mpBtNew");
        press("mpBtRemove");
        QVERIFY(rows().isEmpty());

        // No 8-bit form: "?" instead.
        field()->setText(QString::fromUtf8("Pr\u20acm"));
        press("mpBtNew");
        QCOMPARE(rows(), QStringList("Pr?m = <unset>"));
        field()->setText("Nobody");
        press("mpBtRemove");   // not in the list: nothing happens
        field()->setText("Pr?m");
        press("mpBtRemove");
        QVERIFY(rows().isEmpty());
    }

    void assignMenuListsComponentsAndModels()
    {
        mArguments->addParameter("A");
        QStringList outline;
        pickFromNextPopup({}, &outline);
        cTraceCapture trace;
        vmva::cDMDataModel orphan(mMgr, "Orphan");   // provided by no component
        press("mpBtAssign");
        const QString p = qstr(mProvider.address().toString());
        const QString q = qstr(mNoContext.address().toString());
        // The editor's "Ctrl" model is not here: no editor component in this host.
        QCOMPARE(outline, QStringList({"(ModuleContext)", "--", "\"Component\" (" + p + " )/",
                                       "  (Datamodel)", "  --", "  Main/", "    drive/",
                                       "      motor", "      --", "      Model drive", "    --",
                                       "    Model Main", "\"Untitled\" (" + q + " )/",
                                       "  (Datamodel)", "  --", "  Other"}));
        QCOMPARE(trace.lines, QStringList(
            "** WARNING: Datamodel named \"Orphan\" is not assigned to a component!"));
        QCOMPARE(rows(), QStringList("A = <unset>"));
    }

    void assignChoosesTheParameter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("choice");
        QTest::addColumn<QStringList>("expected");
        const QStringList motor{"\"Component\"", "Main", "drive", "motor"};
        const QString drive = "Main.drive.motor";
        QTest::newRow("new name is added and assigned")
            << "N" << motor << QStringList({"A = <unset>", "B = <unset>", "N = @" + drive});
        QTest::newRow("empty field: current row")
            << "" << motor << QStringList({"A = <unset>", "B = @" + drive});
        QTest::newRow("existing name that is not current: current row")
            << "A" << motor << QStringList({"A = <unset>", "B = @" + drive});
        QTest::newRow("model itself") << "" << QStringList({"\"Component\"", "Main", "Model Main"})
                                      << QStringList({"A = <unset>", "B = @Main"});
        QTest::newRow("nothing chosen") << "" << QStringList()
                                        << QStringList({"A = <unset>", "B = <unset>"});
    }
    void assignChoosesTheParameter()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, choice);
        QFETCH(QStringList, expected);
        mArguments->addParameter("A");
        mArguments->addParameter("B");
        field()->setText(typed);
        pickFromNextPopup(choice);
        press("mpBtAssign");
        expected.replaceInStrings("@", qstr(mProvider.address().toString()) + " : ");
        QCOMPARE(rows(), expected);
    }
};

QTEST_MAIN(tst_DialogParameters)
#include "tst_dialogparameters.moc"
