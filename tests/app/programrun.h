#pragma once

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the project's programs as a script does and reads what they left behind.
namespace programrun {

struct tResultSet
{
    int exitCode = -1; // -1: did not finish in time, -2: crashed
    QByteArray out, err;
};

inline QString example(const char *name)
{
    return qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/" + name;
}

// As on a build machine where nobody chose a platform and there is no display.
inline QProcessEnvironment headless()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    return env;
}

inline tResultSet run(const char *program, const QStringList &arguments,
                      const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                      const QString &folder = QString())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.start(qEnvironmentVariable("VELL_BINARY_DIR") + "/bin/" + program, arguments);
    tResultSet r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// A drawn picture, not a blank surface: more than one colour.
inline bool drawn(const QImage &image)
{
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return true;
    return false;
}

} // namespace programrun
