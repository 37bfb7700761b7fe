#include "window/diskguard.h"
#include "editor/busystatus.h"
#include "editor/fileio.h"
#include "platform/filewatcher.h"
#include "platform/prompter.h"
#include "util/filebreaks.h"
#include "window/filewindow.h"
#include "window/windowhost.h"

#include <QPointer>
#include <QTimer>

namespace verno {

DiskGuard::DiskGuard(TFileWindow &window, WindowHost &frame) : w_(window), frame_(frame) {}

DiskGuard::~DiskGuard()
{
    frame_.fileWatcher().unwatch(this);
}

void DiskGuard::inStep(const DiskStamp &stamp)
{
    base_ = stamp;
    seen_ = stamp;
    askPending_ = false;
    goneMark_ = false;
    if (watched_ == w_.FilePath())
        frame_.fileWatcher().rewatch(watched_); // a save may have put a new file there
    else
        renamed();
}

void DiskGuard::renamed()
{
    const QString path = w_.FilePath();
    if (path == watched_)
        return;
    watched_ = path;
    const DiskStamp now = DiskStamp::of(path);
    // Renamed on disk, the same file keeps what the window knew of it.
    if (!(base_ && now.exists && now == *base_)) {
        base_.reset();
        askPending_ = false;
        goneMark_ = false;
    }
    seen_ = now;
    if (path.isEmpty())
        frame_.fileWatcher().unwatch(this);
    else
        frame_.fileWatcher().watch(this, path, [this] { check(); });
}

bool DiskGuard::changedByUser() const
{
    const QtEditControl &m = w_.Memo();
    return m.ModifiedFlag() && !(goneMark_ && m.ChangeCount() == goneChangeCount_);
}

void DiskGuard::check()
{
    const QString path = w_.FilePath();
    if (path.isEmpty() || !base_)
        return;
    const DiskStamp now = DiskStamp::of(path);
    if (now == seen_) {
        askIfDue();
        return;
    }
    if (now.exists && now.inode != seen_.inode)
        frame_.fileWatcher().rewatch(path);
    seen_ = now;
    if (!now.exists) {
        noteGone();
        return;
    }
    if (now == *base_) {
        // Back as the window knows it.
        askPending_ = false;
        if (goneMark_ && !changedByUser())
            w_.Memo().SetModifiedFlag(false);
        goneMark_ = false;
        w_.textStateChanged();
        return;
    }
    if (!changedByUser() && frame_.autoReload()) {
        reload();
        return;
    }
    askPending_ = true;
    askIfDue();
}

void DiskGuard::stop()
{
    frame_.fileWatcher().unwatch(this);
    watched_.clear();
    base_.reset();
    askPending_ = false;
}

void DiskGuard::activated()
{
    check();
}

void DiskGuard::askIfDue()
{
    if (!askPending_ || asking_ || askQueued_ || !frame_.inFront(&w_))
        return;
    // Not from inside the notice that brought the window forward.
    askQueued_ = true;
    QTimer::singleShot(0, &w_, [this] {
        askQueued_ = false;
        ask();
    });
}

void DiskGuard::ask()
{
    if (!askPending_ || asking_ || !frame_.inFront(&w_))
        return;
    const QString text = changedByUser()
                             ? QStringLiteral("%1 was changed by another program. Reload it and lose your changes?")
                             : QStringLiteral("%1 was changed by another program. Reload it?");
    const QPointer<TFileWindow> alive(&w_);
    asking_ = true;
    const Answer answer = confirmBox(text.arg(w_.FullName()), BtnYes | BtnNo);
    if (!alive)
        return;
    asking_ = false;
    askPending_ = false;
    if (answer == Answer::Yes)
        reload();
}

bool DiskGuard::reload()
{
    const QString path = w_.FilePath();
    const DiskStamp stamp = DiskStamp::of(path);
    std::string bytes;
    QString error;
    {
        BusyStatus busy(frame_, QStringLiteral("Reading.."));
        if (tooLargeForText(path))
            error = QStringLiteral("Unable to load \"%1\"\r%2").arg(path, QStringLiteral("Text exceeds memo capacity"));
        else if (readWholeFile(path, bytes, error)) {
            // The other program may have written other breaks: a save keeps those.
            w_.Breaks = detectLineBreaks(bytes);
            w_.ChooseCodeAgain(bytes);
            w_.Memo().ReloadText(bytes);
        }
    }
    if (error.isEmpty()) {
        w_.Memo().SetModifiedFlag(false);
        inStep(stamp);
        w_.UpdateCaption();
        w_.textStateChanged();
        return true;
    }
    frame_.setStatusMessage(error.replace(QLatin1Char('\r'), QLatin1Char(' ')));
    return false;
}

void DiskGuard::noteGone()
{
    QtEditControl &m = w_.Memo();
    if (!m.ModifiedFlag()) {
        m.SetModifiedFlag(true);
        goneMark_ = true;
        goneChangeCount_ = m.ChangeCount();
    }
    askPending_ = false;
    w_.textStateChanged();
    frame_.setStatusMessage(QStringLiteral("%1 was deleted or moved away by another program").arg(w_.FullName()));
}

bool DiskGuard::mayOverwrite()
{
    if (!base_)
        return true;
    const DiskStamp now = DiskStamp::of(w_.FilePath());
    if (!now.exists || now == *base_)
        return true;
    seen_ = now;
    askPending_ = false;
    const QString text = QStringLiteral("%1 was changed by another program since it was opened. "
                                        "Save anyway and replace that change?");
    return confirmBox(text.arg(w_.FullName()), BtnYes | BtnNo) == Answer::Yes;
}

} // namespace verno
