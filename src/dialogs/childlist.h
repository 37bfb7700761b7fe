#pragma once
#include "platform/sizeddialog.h"

#include <QPointer>

class QListWidget;
class QListWidgetItem;
class QMdiSubWindow;
class QMenu;

namespace verno {

class FileListHost;

// The File list: every edit window by full name, to activate one or to save,
// close, minimize, restore or arrange a selection of them at once.
class TChildList : public SizedDialog {
    Q_OBJECT
public:
    // width and height: where the size is kept between showings.
    TChildList(QWidget *parent, FileListHost &host, int &width, int &height);

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
    QMdiSubWindow *windowAt(int row) const;
    // A click on an entry activates its window; a double click also closes the list.
    void activateEntry(int row, bool close);

protected:
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void addEntry(QMdiSubWindow *w);
    void activate(QMdiSubWindow *w);
    QList<QMdiSubWindow *> selectedWindows() const;
    void setStates(bool normal);
    template <typename Arrange> void arrange(Arrange &&run);

    FileListHost &host_;
    QListWidget *list_ = nullptr;
    QMenu *popup_ = nullptr;
    QPointer<QMdiSubWindow> remembered_;
};

// How an entry reads: the full name framed by "[" "]" when minimized, by blanks otherwise.
QString childListLabel(const QString &fullName, bool minimized);

} // namespace verno
