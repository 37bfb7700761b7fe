#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/vernoapplication.h"

#include <QTimer>
#include <cstdio>
#include <cstdlib>

using namespace verno;

namespace {

bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine cl = parseCommandLine(arguments);
    if (!cl.error.isEmpty()) {
        std::fprintf(stderr, "verno: %s\n%s", qPrintable(cl.error), qPrintable(usageText()));
        return 2;
    }
    if (cl.help) {
        std::fputs(qPrintable(usageText()), stdout);
        return 0;
    }
    if (cl.version) {
        std::puts("Verno 3.0");
        return 0;
    }
    if (!haveDisplay()) {
        std::fputs("verno: no display to show windows on (DISPLAY is not set); "
                   "to run without a screen, use: xvfb-run verno [file...]\n",
                   stderr);
        return 1;
    }
    VernoApplication app(argc, argv);
    TMainWindow mainWindow;
    mainWindow.show();
    mainWindow.FormShow(arguments);
    return app.exec();
}
