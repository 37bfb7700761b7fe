// Opens, saves and queries a large file the way the program does, and prints
// the figures: make bench.
#include "app/mainwindow.h"
#include "bench_search.h"
#include "editor/filewindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

using namespace verno;

namespace {

long peakMegabytes()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

QString makeFile(const QString &dir, int lines)
{
    const QString path = dir + QStringLiteral("/big.txt");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    QByteArray chunk;
    for (int i = 0; i < lines; ++i) {
        chunk += QByteArray("Line ") + QByteArray::number(i).rightJustified(7, '0')
                 + QByteArray(" the quick brown fox jumps over a lazy dog\r\n");
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
    return path;
}

template <typename F> double nanosPerCall(F &&f, int calls = 20000)
{
    QElapsedTimer t;
    t.start();
    volatile long sink = 0;
    for (int i = 0; i < calls; ++i)
        sink = sink + long(f());
    return double(t.nsecsElapsed()) / calls;
}

void queryCosts(TMainWindow &frame, TFileWindow &w, const char *label, int target)
{
    EditControl &m = w.Memo();
    QElapsedTimer first;
    first.start();
    const int caret = m.LineStart(target) + 10;
    std::printf("  [%s] first line query that far down: %.1f ms\n", label, first.nsecsElapsed() / 1e6);
    m.SetCaret(caret);
    QCoreApplication::processEvents();
    // With word wrap, line counts above the caret are made exact a bounded
    // slice per query; report that catch-up apart from the steady state.
    QElapsedTimer catchUp;
    catchUp.start();
    qint64 slowest = 0;
    int queries = 0;
    for (int quick = 0; quick < 100; ++queries) {
        QElapsedTimer one;
        one.start();
        m.LineOf(caret);
        const qint64 ns = one.nsecsElapsed();
        slowest = std::max(slowest, ns);
        quick = ns < 20000 ? quick + 1 : 0;
    }
    std::printf("  [%s] catch-up: %d queries, %.2f s in all, slowest query %.1f ms\n", label,
                queries - 100, catchUp.nsecsElapsed() / 1e9, slowest / 1e6);
    const int line = m.LineOf(caret);
    std::printf("  [%s] per call, caret near line %d:\n", label, target);
    std::printf("    SelectionStart  %8.0f ns\n", nanosPerCall([&] { return m.SelectionStart(); }));
    std::printf("    SelectionLength %8.0f ns\n", nanosPerCall([&] { return m.SelectionLength(); }));
    std::printf("    LineOf          %8.0f ns\n", nanosPerCall([&] { return m.LineOf(caret); }));
    std::printf("    LineStart       %8.0f ns\n", nanosPerCall([&] { return m.LineStart(line); }));
    std::printf("    TextLength      %8.0f ns\n", nanosPerCall([&] { return m.TextLength(); }));
    std::printf("    ModifiedFlag    %8.0f ns\n", nanosPerCall([&] { return int(m.ModifiedFlag()); }));
    std::printf("    UndoAvailable   %8.0f ns\n", nanosPerCall([&] { return int(m.UndoAvailable()); }));
    std::printf("    HasText         %8.0f ns\n", nanosPerCall([&] { return int(m.HasText()); }));
    std::printf("    status pass     %8.0f ns\n", nanosPerCall([&] {
                    frame.UpdateCommandState(false);
                    return 0;
                }, 5000));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    QTemporaryDir dir;
    const int lines = argc > 1 ? std::atoi(argv[1]) : 1000000;
    std::printf("Generating %d lines...\n", lines);
    const QString path = makeFile(dir.path(), lines);
    std::printf("File: %.1f MB; peak memory before opening: %ld MB\n",
                QFileInfo(path).size() / 1e6, peakMegabytes());

    TMainWindow frame(dir.path() + QStringLiteral("/Verno.reg"));
    frame.resize(1000, 700);
    frame.show();
    QCoreApplication::processEvents();

    QElapsedTimer t;
    t.start();
    frame.OpenEditWindow(path, false);
    QCoreApplication::processEvents(); // laid out, painted, ready to type
    std::printf("Open to ready: %.2f s\n", t.nsecsElapsed() / 1e9);
    TFileWindow *w = frame.activeWindow();
    if (!w)
        return 1;
    std::printf("Peak memory after opening: %ld MB\n", peakMegabytes());

    w->Memo().SetCaret(0);
    w->Memo().ReplaceSelection("x");
    t.restart();
    const bool saved = w->Save();
    std::printf("Save: %.2f s (%s)\n", t.nsecsElapsed() / 1e9, saved ? "ok" : "FAILED");

    StatusReady = true;
    queryCosts(frame, *w, "wrap off", lines / 10 * 9);
    t.restart();
    w->Memo().SetWordWrap(true);
    QCoreApplication::processEvents();
    std::printf("Word wrap on: %.2f s\n", t.nsecsElapsed() / 1e9);
    queryCosts(frame, *w, "wrap on", lines / 10 * 9);
    benchSearch(frame, dir.path(), lines);
    std::printf("Peak memory at the end: %ld MB\n", peakMegabytes());
    return 0;
}
