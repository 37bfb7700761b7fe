// The frame's handlers that keep work safe: texts an earlier session left
// behind, the quit signals, the end of the desktop session.
#include "app/mainwindow.h"
#include "app/settings.h"
#include "platform/prompter.h"
#include "platform/recoveryfolder.h"
#include "window/filewindow.h"
#include "window/recoverykeeper.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

namespace verno {

namespace {

constexpr int kListedTexts = 20;

QString recoveryQuestion(const std::vector<RecoveryRecord> &records)
{
    QString text = QStringLiteral("Unsaved text from an earlier session was found: restore it?\r");
    int untitled = 0;
    int listed = 0;
    for (const RecoveryRecord &r : records) {
        const QString name = r.path.isEmpty() ? QStringLiteral("Untitled %1").arg(++untitled) : r.path;
        if (++listed <= kListedTexts)
            text += QLatin1Char('\r') + name;
    }
    if (listed > kListedTexts)
        text += QStringLiteral("\r(and %1 more)").arg(listed - kListedTexts);
    return text;
}

TFileWindow *unchangedWindowOn(const QList<TFileWindow *> &windows, const QString &path)
{
    if (path.isEmpty())
        return nullptr;
    for (TFileWindow *w : windows)
        if (w->FilePath() == path && !w->Memo().ModifiedFlag())
            return w;
    return nullptr;
}

} // namespace

void TMainWindow::OfferRecovery()
{
    // Held locked until the answer is carried out, so a second program
    // starting now does not offer the same texts.
    RecoveryOrphans orphans(keeper_->root());
    const std::vector<RecoveryRecord> &records = orphans.records();
    if (records.empty())
        return;
    // Cancel (Esc, or the box closed) keeps them for the next start.
    const Answer answer = confirmBox(recoveryQuestion(records), BtnYes | BtnNo | BtnCancel);
    if (answer == Answer::Cancel)
        return;
    std::vector<const RecoveryRecord *> done;
    QList<RecoverySource *> restored;
    for (const RecoveryRecord &r : records) {
        if (answer == Answer::Yes) {
            std::string text;
            if (!RecoveryOrphans::readText(r, text)) {
                reportError(QStringLiteral("Cannot read file %1; it is kept for the next start").arg(r.file));
                continue;
            }
            // A file the session or the command line just opened unchanged
            // takes its text in that window, not in a second one beside it.
            TFileWindow *w = unchangedWindowOn(editWindows(), r.path);
            const bool fresh = !w;
            if (fresh)
                w = newEditWindow([&](TFileWindow &window) { return window.Restore(r, std::move(text)); });
            else if (!w->Restore(r, std::move(text)))
                w = nullptr;
            if (!w) {
                errorBox(QStringLiteral("Unable to load \"%1\"\r%2")
                             .arg(r.file, QStringLiteral("Text exceeds memo capacity")));
                continue;
            }
            if (fresh) {
                AddTab(w);
                AddWindowListItem(w);
            }
            restored << w;
        }
        done.push_back(&r);
    }
    // The texts are in this program's own copies before the old ones go.
    if (!keeper_->writeNow(restored)) {
        SetStatusMessage(QStringLiteral("Unsaved text cannot be kept for recovery; the earlier copies stay"));
        return;
    }
    for (const RecoveryRecord *r : done)
        orphans.discard(*r);
    CascadeIfSeveral();
}

bool TMainWindow::inFront(const TFileWindow *window) const
{
    return StatusReady && window == activeWindow() && QGuiApplication::applicationState() == Qt::ApplicationActive &&
           !QApplication::activeModalWidget();
}

bool TMainWindow::KeepAllNow()
{
    QList<RecoverySource *> sources;
    for (TFileWindow *w : editWindows())
        sources << w;
    return keeper_->writeNow(sources);
}

void TMainWindow::QuitOnSignal(int)
{
    if (quitting_)
        return;
    // Ending now would lose a text that could not be kept: the program stays.
    if (!KeepAllNow()) {
        std::fputs("verno: unsaved text cannot be kept for recovery; not quitting\n", stderr);
        SetStatusMessage(QStringLiteral("Unsaved text cannot be kept for recovery: save it before quitting"));
        return;
    }
    quitting_ = true;
    collectSettings();
    const QString error = saveSettingsFile(settingsPath_, settings_);
    if (!error.isEmpty())
        std::fprintf(stderr, "verno: %s\n", qPrintable(error));
    StatusReady = false;
    // Ends the dialogs' loops too; nothing asks any more.
    QCoreApplication::exit(0);
}

bool TMainWindow::CommitSession(bool mayAsk)
{
    if (!mayAsk) {
        // Nothing may be asked: the texts wait in their copies for the next start.
        KeepAllNow();
        collectSettings();
        saveSettingsFile(settingsPath_, settings_);
        return true;
    }
    FileExitClick();
    return !isVisible();
}

} // namespace verno
