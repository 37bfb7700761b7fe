#include "app/statuspanels.h"

#include <QStatusBar>

namespace verno {

StatusPanel::StatusPanel(const QString &name, int width, const QString &hint, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
    if (width > 0)
        setFixedWidth(width);
    setStatusTip(hint);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setIndent(2);
    QFont f(QStringLiteral("Arial Narrow"));
    f.setPixelSize(13);
    setFont(f);
}

void StatusPanel::setTextIfChanged(const QString &text)
{
    if (this->text() != text)
        setText(text);
}

void StatusPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (onDoubleClick)
        onDoubleClick();
    QLabel::mouseDoubleClickEvent(event);
}

StatusPanels::StatusPanels(QStatusBar *bar) : bar_(bar)
{
    bar->setObjectName(QStringLiteral("PnlStatusBar"));
    bar->setSizeGripEnabled(true);
    bar->setMinimumWidth(444);
    const struct {
        const char *name;
        int width;
        const char *hint;
        const char *text;
    } panelDefs[] = {
        {"PnlStatusCurPos", 85, "Current row and column", ""},
        {"PnlStatusMessage", 0, "", ""},
        {"PnlStatusIndent", 55, "Auto indent status", "Indent"},
        {"PnlStatusWordWrap", 55, "Word wrap status", "Wrap"},
        {"PnlChildCount", 30, "Edit window count", ""},
        {"PnlStatusBackup", 55, "Backup option", "Backup"},
        {"PnlStatusReadOnly", 55, "View, Read Only or Edit mode", "Edit"},
        {"PnlStatusModified", 55, "Text modification status", "Modified"},
        {"PnlStatusInsert", 55, "Insert or Overwrite mode", "Insert"},
    };
    for (const auto &s : panelDefs) {
        auto *p = new StatusPanel(QString::fromLatin1(s.name), s.width, QString::fromLatin1(s.hint), bar);
        p->setText(QString::fromLatin1(s.text));
        panels_.insert(p->objectName(), p);
        if (s.width == 0) {
            p->setMinimumWidth(20);
            bar->addWidget(p, 1);
        } else if (panels_.size() == 1) {
            bar->addWidget(p);
        } else {
            bar->addPermanentWidget(p);
        }
    }
}

void StatusPanels::setMessage(const QString &text)
{
    panels_.value(QStringLiteral("PnlStatusMessage"))->setTextIfChanged(text);
}

void StatusPanels::repaintMessage()
{
    if (bar_->isVisible())
        panels_.value(QStringLiteral("PnlStatusMessage"))->repaint();
}

QString StatusPanels::message() const { return panels_.value(QStringLiteral("PnlStatusMessage"))->text(); }

void StatusPanels::apply(const CommandState &s, const QString &position, bool backup)
{
    const auto set = [this](const char *name, const QString &text) {
        panels_.value(QString::fromLatin1(name))->setTextIfChanged(text);
    };
    set("PnlChildCount", QString::number(s.WindowCount));
    set("PnlStatusCurPos", s.HasWindow ? position : QString());
    set("PnlStatusIndent", s.IsAutoIndent ? QStringLiteral("Indent") : QString());
    set("PnlStatusWordWrap", s.IsWordWrap ? QStringLiteral("Wrap") : QString());
    set("PnlStatusBackup", backup ? QStringLiteral("Backup") : QString());
    set("PnlStatusReadOnly", s.IsReadOnly ? QStringLiteral("Read") : QStringLiteral("Edit"));
    set("PnlStatusModified", s.IsModified ? QStringLiteral("Modified") : QString());
    set("PnlStatusInsert", s.InsertMode ? QStringLiteral("Insert") : QStringLiteral("Overwrite"));
}

QString formatCursorPosition(const CommandState &s)
{
    if (s.CaretLine != s.EndLine || s.CaretColumn != s.EndColumn)
        return QStringLiteral("[%1;%2 - %3;%4]")
            .arg(s.CaretLine + 1)
            .arg(s.CaretColumn)
            .arg(s.EndLine + 1)
            .arg(s.EndColumn);
    return QStringLiteral("%1;%2").arg(s.CaretLine + 1).arg(s.CaretColumn);
}

} // namespace verno
