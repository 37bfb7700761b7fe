// The frame's handlers for the file history, the window list and the tab bar:
// each forwards to the class that owns that list.
#include "app/filehistorymenu.h"
#include "app/mainmenu.h"
#include "app/mainwindow.h"
#include "app/tabbar.h"
#include "app/tabset.h"
#include "app/windowlistmenu.h"
#include "window/filewindow.h"

#include <QVBoxLayout>

namespace verno {

void TMainWindow::createLists(QVBoxLayout *clientLayout)
{
    fileHistory_ = std::make_unique<FileHistoryMenu>(menu_->menu(QStringLiteral("MnuFile")), FileMenuBase, settings_,
                                                     [this](const QString &name) { FileMenuClick(name); });
    WindowListMenu::Hooks hooks;
    hooks.active = [this] { return activeWindow(); };
    hooks.windows = [this] { return editWindows(); };
    hooks.click = [this](TFileWindow *w) { WinFileListClick(w); };
    windowList_ = std::make_unique<WindowListMenu>(menu_->menu(QStringLiteral("MnuWindow")), WindowMenuBase,
                                                   settings_, std::move(hooks));
    tabBar_ = std::make_unique<TabBar>(*this, centralWidget(), settings_);
    clientLayout->addWidget(tabBar_->tabSet());
}

TTabSet *TMainWindow::TabSet() const { return tabBar_->tabSet(); }

void TMainWindow::AddFileHistory(const QString &name) { fileHistory_->Add(name); }
void TMainWindow::RemoveFileHistory(const QString &name) { fileHistory_->Remove(name); }
void TMainWindow::ClearFileHistory() { fileHistory_->Clear(); }
void TMainWindow::SetFileHist(bool v) { fileHistory_->SetShown(v); }
void TMainWindow::SetFileHistSort(bool v) { fileHistory_->SetSort(v); }
void TMainWindow::ApplyFileHistoryVisibility() { fileHistory_->ApplyVisibility(); }
QStringList TMainWindow::CollectFileHistory() const { return fileHistory_->Collect(); }
void TMainWindow::RestoreFileHistory(const QStringList &names) { fileHistory_->Restore(names); }
void TMainWindow::FileMenuClick(const QString &name) { OpenEditWindow(name, ReadOnlyAll); }

void TMainWindow::AddWindowListItem(TFileWindow *window) { windowList_->Add(window); }
void TMainWindow::RemoveWindowListItem(TFileWindow *window) { windowList_->Remove(window); }
void TMainWindow::SetWindowListChecked(TFileWindow *window, bool v) { windowList_->SetChecked(window, v); }
void TMainWindow::UpdateWindowListCaption(TFileWindow *window) { windowList_->UpdateCaption(window); }
void TMainWindow::RenumberWindowList() { windowList_->Renumber(); }
void TMainWindow::SetWinList(bool v) { windowList_->SetShown(v); }
void TMainWindow::SetWinListSort(bool v) { windowList_->SetSort(v); }

void TMainWindow::WinFileListClick(TFileWindow *window)
{
    ActivateEditWindow(window);
    SelectActiveTab();
}

void TMainWindow::AddTab(TFileWindow *window) { tabBar_->Add(window); }
void TMainWindow::RemoveTab(TFileWindow *window) { tabBar_->Remove(window); }
void TMainWindow::UpdateTabText(TFileWindow *window) { tabBar_->UpdateText(window); }
void TMainWindow::SelectActiveTab() { tabBar_->SelectActive(); }
void TMainWindow::RefreshTabMarks() { tabBar_->RefreshMarks(); }
void TMainWindow::SetTabsSort(bool v) { tabBar_->SetSort(v); }
void TMainWindow::TabSetClick() { tabBar_->Click(); }
void TMainWindow::TabCopyFileNameClick() { tabBar_->CopyFileName(); }
void TMainWindow::TabCopyFullPathClick() { tabBar_->CopyFullPath(); }
void TMainWindow::TabsSortClick() { SetTabsSort(!settings_.TabsSort); }
void TMainWindow::OptTabsClick() { tabBar_->ToggleShown(); }

} // namespace verno
