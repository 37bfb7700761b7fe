#pragma once
#include "app/commandstate.h"

#include <QHash>
#include <QString>

class QToolBar;
class QToolButton;

namespace verno {

class TMainWindow;

// The tool bar: 20 x 20 picture buttons in groups, kept in step with their
// menu twins by the status pass.
class MainToolBar {
public:
    explicit MainToolBar(TMainWindow &frame);

    QToolBar *bar() const { return bar_; }
    QToolButton *button(const QString &name) const { return buttons_.value(name); }
    void apply(const CommandState &state);
    void setHintsShown(bool shown);
    void setButtonHint(const QString &name, const QString &hint);

private:
    TMainWindow &frame_;
    QToolBar *bar_;
    QHash<QString, QToolButton *> buttons_;
    QHash<QString, QString> hints_;
    bool hintsShown_ = true;
};

// "Short|Long": the tool tip part and the message-panel part.
QString shortHint(const QString &hint);
QString longHint(const QString &hint);

} // namespace verno
