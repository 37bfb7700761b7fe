#include "bench_recovery.h"
#include "app/mainwindow.h"
#include "window/filewindow.h"
#include "window/recoverykeeper.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

namespace verno {

namespace {

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

bool copyOnDisk(const RecoveryKeeper &keeper)
{
    return !keeper.busy() && !keeper.folder().isEmpty() &&
           !QDir(keeper.folder()).entryList({QStringLiteral("*.rec")}).isEmpty();
}

} // namespace

int benchRecovery(const QString &path)
{
    QTemporaryDir state; // never the user's own recovery folder
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    QTemporaryDir settings;
    TMainWindow frame(settings.path() + QStringLiteral("/Verno.reg"));
    frame.show();
    QCoreApplication::processEvents();
    if (!frame.OpenEditWindow(path, false))
        return 1;
    TFileWindow &w = *frame.activeWindow();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QCoreApplication::sendEvent(w.Memo().widget(), &key);
    QCoreApplication::processEvents(); // the key's own repaint
    const double megabytes = w.Memo().TextLength() / 1e6;

    // In the background, as after a pause in typing: each turn of the event
    // loop while the copy lasts holds one slice of it.
    RecoveryKeeper &keeper = frame.recoveryKeeper();
    QElapsedTimer total;
    total.start();
    keeper.startWaiting();
    std::vector<double> steps{msSince(total)};
    while (keeper.copying()) {
        QElapsedTimer step;
        step.start();
        QCoreApplication::processEvents();
        steps.push_back(msSince(step));
    }
    const double busy = std::accumulate(steps.begin(), steps.end(), 0.0);
    std::sort(steps.begin(), steps.end());
    const double median = steps[steps.size() / 2];
    const double longest = steps.back();
    while (!copyOnDisk(keeper))
        QThread::msleep(1);
    const double onDisk = msSince(total) / 1000;

    // The whole text copied in one go, for comparison.
    std::string keep;
    QElapsedTimer once;
    once.start();
    std::unique_ptr<char[]> block(new char[size_t(w.Memo().TextLength())]);
    size_t at = 0;
    for (std::string_view piece : w.Memo().TextPieces(keep)) {
        std::memcpy(block.get() + at, piece.data(), piece.size());
        at += piece.size();
    }
    const double oneGo = msSince(once);

    // At once, as on SIGTERM.
    QElapsedTimer now;
    now.start();
    frame.KeepAllNow();
    const double atOnce = msSince(now) / 1000;

    std::printf("recovery copy of %.1f MB in %zu steps: each holds the event loop %.2f ms (median), %.2f ms at "
                "most, %.1f ms in all (a copy in one go: %.1f ms); on disk after %.2f s; written at once as on a quit "
                "signal: %.2f s\n",
                megabytes, steps.size(), median, longest, busy, oneGo, onDisk, atOnce);
    w.Memo().SetModifiedFlag(false);
    return 0;
}

} // namespace verno
