#pragma once
// A shown, active frame whose dialogs are answered by a script, for tests that
// drive the program through its commands and keys.
#include "app/commandtable.h"
#include "app/mainwindow.h"
#include "window/filewindow.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace verno::test {

inline QStringList g_ambiguous;
inline QtMessageHandler g_previousHandler = nullptr;

inline void watchMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.contains(QLatin1String("Ambiguous shortcut")))
        g_ambiguous << text;
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

// A shown, active frame whose dialogs are answered by the script.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        g_ambiguous.clear();
        g_previousHandler = qInstallMessageHandler(watchMessages);
        frame = std::make_unique<TMainWindow>(dir.path() + QStringLiteral("/Verno.reg"));
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    void TearDown() override
    {
        StatusReady = false;
        frame.reset();
        CloseMode = CloseSingle;
        qInstallMessageHandler(g_previousHandler);
        EXPECT_TRUE(g_ambiguous.isEmpty()) << g_ambiguous.join(QLatin1Char('\n')).toStdString();
    }

    // A window on a new file holding text; it becomes the active one.
    TFileWindow *openFile(const QString &name, const QByteArray &text)
    {
        const QString path = dir.filePath(name);
        writeBytes(path, text);
        EXPECT_TRUE(frame->OpenEditWindow(path, false));
        return frame->activeWindow();
    }

    TFileWindow *openUntitled(const std::string &text)
    {
        frame->FileNewClick();
        TFileWindow *w = frame->activeWindow();
        w->Memo().SetWholeText(text);
        return w;
    }

    void focusMemo(TFileWindow *w)
    {
        frame->ActivateEditWindow(w);
        w->Memo().widget()->setFocus();
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), w->Memo().widget());
    }

    // Keys go where the user's focus is.
    static void press(QKeyCombination key)
    {
        QWidget *target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }

    void statusPass() { frame->UpdateCommandState(false); }
    void bothPasses()
    {
        frame->UpdateCommandState(false);
        frame->UpdateCommandState(true);
    }
    void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QAction *item(const QString &name) const { return frame->findChild<QAction *>(name); }
    QToolButton *button(const QString &name) const { return frame->findChild<QToolButton *>(name); }
    QString panel(const QString &name) const { return frame->findChild<QLabel *>(name)->text(); }
    QAction *popupItem(const QString &name) const
    {
        return frame->activeWindow()->MnuPopup()->findChild<QAction *>(name);
    }
    // Enabled state by kind prefix: tool button, popup item or main menu item.
    bool enabledOf(const QString &name) const
    {
        if (name.startsWith(QLatin1String("Btn")))
            return button(name)->isEnabled();
        if (name.startsWith(QLatin1String("Pop")))
            return popupItem(name)->isEnabled();
        return item(name)->isEnabled();
    }

    // One spy per main menu item, so a key can be shown to reach exactly one.
    std::map<QString, std::unique_ptr<QSignalSpy>> spyOnMenu() const
    {
        std::map<QString, std::unique_ptr<QSignalSpy>> spies;
        for (const MenuSpec &m : mainMenus())
            for (const MenuItemSpec &i : m.items)
                if (!(i.flags & Separator))
                    if (QAction *a = item(QString::fromLatin1(i.name)))
                        spies[a->objectName()] = std::make_unique<QSignalSpy>(a, &QAction::triggered);
        return spies;
    }
    static int totalFired(const std::map<QString, std::unique_ptr<QSignalSpy>> &spies)
    {
        int n = 0;
        for (const auto &[name, spy] : spies)
            n += int(spy->count());
        return n;
    }

    QTemporaryDir dir;
    RecordingLauncher launcher; // nothing is started for real
    ScriptedPrompter prompter;
    std::unique_ptr<TMainWindow> frame;
};

} // namespace verno::test
