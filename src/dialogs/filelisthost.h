#pragma once
// What the File list needs of the frame: its edit windows, their names, and
// the few commands it runs on them.
#include <QList>
#include <QString>

class QMdiArea;
class QMdiSubWindow;

namespace verno {

class FileListHost {
public:
    virtual ~FileListHost() = default;

    // The edit windows in the frame's order, the front one first.
    virtual QList<QMdiSubWindow *> fileWindows() const = 0;
    virtual QMdiSubWindow *activeFileWindow() const = 0;
    virtual QString fullNameOf(const QMdiSubWindow *window) const = 0;
    // Under its name, or through Save As; false when it failed or was cancelled.
    virtual bool saveFileWindow(QMdiSubWindow *window) = 0;
    // Brings the window to the front and selects its tab.
    virtual void showFileWindow(QMdiSubWindow *window) = 0;
    virtual QMdiArea *mdiArea() const = 0;
    virtual void WinTileDownClick() = 0;
    virtual void WinTileAcrossClick() = 0;
    virtual void WinCascadeClick() = 0;
};

} // namespace verno
