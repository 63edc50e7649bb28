#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

// The suite runs in a home of its own: what Qt remembers for a test (the file dialog's history
// in QtProject.conf) never reaches the user's configuration, state or data folders.
class tst_TestEnvironment : public QObject
{
    Q_OBJECT
private slots:
    void settingsStayOutOfTheUsersFolders()
    {
        const passwd *user = getpwuid(getuid());
        QVERIFY(user && user->pw_dir);
        const QString realHome = QDir(QString::fromLocal8Bit(user->pw_dir)).canonicalPath();
        QVERIFY(!realHome.isEmpty());
        const auto outside = [&realHome](const QString &path) {
            const QString canonical = QFileInfo(path).absoluteFilePath();
            return !canonical.startsWith(realHome + QLatin1Char('/')) && canonical != realHome;
        };
        QVERIFY2(outside(QDir::homePath()), qPrintable(QDir::homePath()));
        for (auto location : {QStandardPaths::GenericConfigLocation,
                              QStandardPaths::GenericDataLocation,
                              QStandardPaths::GenericCacheLocation}) {
            const QString path = QStandardPaths::writableLocation(location);
            QVERIFY2(outside(path), qPrintable(path));
        }

        const QString realConf = realHome + "/.config/QtProject.conf";
        const QFileInfo before(realConf);
        const QString ownConf =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + "/QtProject.conf";
        QFile::remove(ownConf);
        QTemporaryDir dir;
        {
            // Qt's own file dialog writes its history when it goes.
            QFileDialog dialog(nullptr, "Choose", dir.path());
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.show();
            static_cast<QDialog &>(dialog).accept();
        }
        QVERIFY(QFile::exists(ownConf));
        const QFileInfo after(realConf);
        QCOMPARE(after.exists(), before.exists());
        if (before.exists()) {
            QCOMPARE(after.lastModified(), before.lastModified());
            QCOMPARE(after.size(), before.size());
        }
    }
};

QTEST_MAIN(tst_TestEnvironment)
#include "tst_testenvironment.moc"
