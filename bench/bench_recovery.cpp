#include "bench_recovery.h"
#include "app/mainwindow.h"
#include "window/filewindow.h"
#include "window/recoverykeeper.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace verno {

namespace {

double msSince(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

bool copyOnDisk(const RecoveryKeeper &keeper)
{
    return !keeper.busy() && !keeper.folder().isEmpty()
           && !QDir(keeper.folder()).entryList({QStringLiteral("*.rec")}).isEmpty();
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
    const double megabytes = w.Memo().TextLength() / 1e6;

    // In the background, as after a pause in typing.
    RecoveryKeeper &keeper = frame.recoveryKeeper();
    QElapsedTimer total;
    total.start();
    keeper.startWaiting();
    double longest = msSince(total);
    double busy = longest;
    while (!copyOnDisk(keeper)) {
        QElapsedTimer step;
        step.start();
        QCoreApplication::processEvents();
        const double ms = msSince(step);
        longest = std::max(longest, ms);
        busy += ms;
    }
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

    std::printf("recovery copy of %.1f MB: longest hold of the event loop %.2f ms (%.1f ms for a copy in one go), "
                "%.1f ms of the loop in all, on disk after %.2f s; written at once (quit signal) %.2f s\n",
                megabytes, longest, oneGo, busy, onDisk, atOnce);
    w.Memo().SetModifiedFlag(false);
    return 0;
}

} // namespace verno
