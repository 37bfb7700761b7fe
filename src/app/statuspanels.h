#pragma once
#include "app/commandstate.h"

#include <QHash>
#include <QLabel>
#include <functional>

class QStatusBar;

namespace verno {

// One status bar panel: a text, a hint for the message panel and an optional
// double-click action.
class StatusPanel : public QLabel {
public:
    StatusPanel(const QString &name, int width, const QString &hint, QWidget *parent);
    std::function<void()> onDoubleClick;
    void setTextIfChanged(const QString &text);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

class StatusPanels {
public:
    explicit StatusPanels(QStatusBar *bar);

    StatusPanel *panel(const QString &name) const { return panels_.value(name); }
    QStatusBar *bar() const { return bar_; }
    void setMessage(const QString &text);
    QString message() const;
    void repaintMessage();
    void apply(const CommandState &state, const QString &position, bool backup);

private:
    QStatusBar *bar_;
    QHash<QString, StatusPanel *> panels_;
};

// "%d;%d" or "[%d;%d - %d;%d]": lines from 1, columns from 0.
QString formatCursorPosition(const CommandState &state);

} // namespace verno
