#pragma once
// The line numbers beside an edit view: a strip along its left edge that
// shows the number of each line in view, right-aligned in the view's font,
// scrolling with the text. Only the rows in view are ever looked at. A click
// selects a line, a drag selects lines.
#include <QPointer>
#include <QWidget>

class QMenu;

namespace verno {

class EditView;

class LineNumberPane : public QWidget {
    Q_OBJECT
public:
    explicit LineNumberPane(EditView *view);
    // Gives the view its whole width back and goes.
    void remove();

    void setContextMenu(QMenu *menu) { menu_ = menu; }
    // Width for the largest line number, at least 20 pixels.
    int neededWidth() const;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;

private:
    void fitWidth();
    void place();
    int lineAtY(int y) const;
    void selectLines(int from, int to);

    EditView *view_;
    QWidget *viewport_;
    QPointer<QMenu> menu_;
    int margin_ = 0;      // the width the view leaves for the pane
    int anchorLine_ = -1; // the line a drag started on
    int shownFirst_ = -1; // first row and row count last painted
    int shownRows_ = -1;
};

} // namespace verno
