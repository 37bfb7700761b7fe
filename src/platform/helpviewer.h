#pragma once
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace verno {

// A window that shows the help pages, with Contents, Back and Forward.
// Opened over a modal dialog it becomes modal itself, so it can be read and
// closed while that dialog waits.
class THelpViewer : public QWidget {
    Q_OBJECT
public:
    THelpViewer();

    void showPage(const QString &page);
    QString currentPage() const;
    QString currentTitle() const;
    QTextBrowser *browser() const { return browser_; }

private:
    QTextBrowser *browser_;
    QToolButton *back_;
    QToolButton *forward_;
};

} // namespace verno
