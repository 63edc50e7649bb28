#include "chostapplication.h"
#include "chosterrorreporter.h"
#include "chostoptions.h"
#include "cvellhost.h"

int main(int argc, char **argv)
{
    cHostApplication::installMessageHandler();
    cHostApplication::choosePlatform();
    cHostApplication application(argc, argv);
    cHostErrorReporter::install();
    const cHostOptions options = cHostOptions::parse(cHostApplication::arguments());
    if (options.finished)
        return options.exitCode;
    try {
        cVellHost host(options);
        return host.run();
    } catch (const vstd::cAbstractException &e) {
        cHostApplication::reportError(e);
    }
    return 1;
}
