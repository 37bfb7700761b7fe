#pragma once
#include "dialogs/sizeddialog.h"

#include <QPointer>

class QListWidget;
class QListWidgetItem;
class QMenu;

namespace verno {

class TFileWindow;
class TMainWindow;

// The File list: every edit window by full name, to activate one or to save,
// close, minimize, restore or arrange a selection of them at once.
class TChildList : public SizedDialog {
    Q_OBJECT
public:
    explicit TChildList(TMainWindow &frame);

    void FormShow() override;
    void CancelClick();
    void SelectClick() { accept(); }
    void SaveClick();
    void CloseClick();
    void MinimizeClick() { setStates(false); }
    void NormalClick() { setStates(true); }
    void TileDownClick();
    void TileAcrossClick();
    void CascadeClick();

    QListWidget *FileListBox() const { return list_; }
    QStringList labels() const;
    TFileWindow *windowAt(int row) const;
    // A click on an entry activates its window; a double click also closes the list.
    void activateEntry(int row, bool close);

protected:
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void addEntry(TFileWindow *w);
    void activate(TFileWindow *w);
    QList<TFileWindow *> selectedWindows() const;
    void setStates(bool normal);
    template <typename Arrange> void arrange(Arrange &&run);

    TMainWindow &frame_;
    QListWidget *list_ = nullptr;
    QMenu *popup_ = nullptr;
    QPointer<TFileWindow> remembered_;
};

// How an entry reads: the full name framed by "[" "]" when minimized, by blanks otherwise.
QString childListLabel(const QString &fullName, bool minimized);

} // namespace verno
