#include "app/commandline.h"
#include "app/mainwindow.h"
#include "platform/programicon.h"
#include "platform/quitsignals.h"
#include "app/vernoapplication.h"
#include "editor/fileio.h"
#include "platform/prompter.h"
#include "print/pagesetupdialog.h"
#include "search/searchcommands.h"
#include "util/textutil.h"
#include "window/filewindow.h"

#include <QByteArrayList>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <utility>

using namespace verno;

namespace {

const char kNoDisplay[] = "verno: no display to show windows on (%s); "
                          "to run without a screen, use: xvfb-run verno [file...]\n";

// Qt's own complaints about a display it cannot reach would come before ours.
QtMessageHandler g_previousHandler = nullptr;
void quietPlatformMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (context.category && QByteArray(context.category).startsWith("qt.qpa"))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

// A display that goes away ends the program through exit(): the texts of the
// modified windows are written to their recovery copies on the way out.
TMainWindow *g_frame = nullptr;
void keepWorkAtExit()
{
    if (TMainWindow *frame = std::exchange(g_frame, nullptr))
        frame->KeepAllNow();
}

// For tests that end the program from outside: the text is put in at the
// caret of the front window once the event loop runs, then a line says so.
void insertTestText()
{
    const QByteArray text = qgetenv("VERNO_TEST_INSERT");
    if (text.isEmpty() || !g_frame)
        return;
    if (TFileWindow *w = g_frame->activeWindow())
        w->Memo().ReplaceSelection(text.toStdString());
    std::puts("verno: test text inserted");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    QByteArrayList badNames;
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        if (argumentIsText(raw))
            arguments << QString::fromUtf8(raw);
        else
            badNames << raw;
    }
    const CommandLine cl = parseCommandLine(arguments);
    if (cl.help) {
        std::fputs(qPrintable(usageText()), stdout);
        return 0;
    }
    if (cl.version) {
        std::puts("Verno 3.0");
        return 0;
    }
    // The first file is read while the window system is reached.
    if (!cl.files.isEmpty() && !HasWildcard(cl.files.first().toStdString()))
        startPreload(cl.files.first());
    const bool weChosePlatform = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (weChosePlatform) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            std::fprintf(stderr, kNoDisplay, "DISPLAY is not set");
            return 1;
        }
        // A display that cannot be reached falls through to no screen at
        // all, which is told below instead of Qt aborting.
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb;offscreen"
                                                                               : "wayland;xcb;offscreen");
        g_previousHandler = qInstallMessageHandler(quietPlatformMessages);
    }
    VernoApplication app(argc, argv);
    if (weChosePlatform) {
        qInstallMessageHandler(g_previousHandler);
        qunsetenv("QT_QPA_PLATFORM"); // programs started from here choose their own
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            const QByteArray reason = "cannot reach display " + qgetenv("DISPLAY");
            std::fprintf(stderr, kNoDisplay, reason.constData());
            return 1;
        }
    }
    VernoApplication::setWindowIcon(programIcon());
    VernoApplication::setDesktopFileName(QStringLiteral("verno"));
    TMainWindow mainWindow;
    CreateSearchDialogs(&mainWindow);
    // The dialogs, each made once for the whole run, in their designed order.
    mainWindow.aboutBox();
    mainWindow.preferencesDialog();
    // Page Setup is made anew for each use; this one only keeps its place.
    new TSimplePageSetupDialog(&mainWindow);
    mainWindow.commandDialog();
    mainWindow.insCharDialog();
    mainWindow.childList();
    QuitSignals quitSignals([&mainWindow](int signal) { mainWindow.QuitOnSignal(signal); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainWindow, [&mainWindow](QSessionManager &manager) {
        if (!mainWindow.CommitSession(manager.allowsInteraction()))
            manager.cancel();
        manager.release();
    });
    mainWindow.show();
    mainWindow.FormShow(arguments);
    for (const QByteArray &raw : badNames)
        reportError(QStringLiteral("Cannot open file %1: its name is not valid UTF-8").arg(printableArgument(raw)));
    // A signal that came while start-up asked its questions.
    if (mainWindow.quitting())
        return 0;
    g_frame = &mainWindow;
    std::atexit(keepWorkAtExit);
    QTimer::singleShot(0, &mainWindow, insertTestText);
    const int result = app.exec();
    g_frame = nullptr;
    return result;
}
