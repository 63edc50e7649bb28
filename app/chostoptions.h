#pragma once

#include <QString>
#include <QStringList>

// What the command line of vellhost asks for.
class cHostOptions
{
public:
    QString modulePath;       // the module to load; empty: the editor module beside the program
    bool trace = false;       // trace lines to stderr
    QString screenshotPath;   // save a PNG of the shown window there and quit
    QString runForm;          // open this form as the running application would, no editor
    QStringList formArguments; // "PARAM=MODEL": the models the form's parameters name
    QString documentPath;     // a form the editor opens at start; empty: an empty editor
    QString scriptPath;       // hidden: user actions to run once the window is shown (tests)

    // Set when the command line was answered without running the host (help, version, errors);
    // exitCode is then the program's result.
    bool finished = false;
    int exitCode = 0;

    static cHostOptions parse(const QStringList &arguments);
    // The editor module in the library folder beside the program's folder.
    static QString defaultModulePath();
};
