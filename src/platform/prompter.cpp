#include "platform/prompter.h"
#include "platform/qtprompter.h"

#include <QDialog>

namespace verno {

namespace {
Prompter *g_prompter = nullptr;
}

Prompter &prompter()
{
    static QtPrompter qtPrompter;
    return g_prompter ? *g_prompter : qtPrompter;
}

void setPrompter(Prompter *p) { g_prompter = p; }

Answer Prompter::messageAt(MessageKind kind, const QString &title, const QString &text,
                           Buttons buttons, const QPoint &)
{
    return message(kind, title, text, buttons);
}

int Prompter::runDialog(QDialog &dialog) { return dialog.exec(); }

QString defaultTitle(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return QStringLiteral("Error");
    case MessageKind::Confirm: return QStringLiteral("Confirm");
    case MessageKind::Information: return QStringLiteral("Information");
    case MessageKind::Plain: break;
    }
    return QStringLiteral("Verno");
}

Answer defaultAnswer(Buttons buttons)
{
    if (buttons & BtnOk)
        return Answer::Ok;
    if (buttons & BtnYes)
        return Answer::Yes;
    if (buttons & BtnNo)
        return Answer::No;
    if (buttons & BtnCancel)
        return Answer::Cancel;
    return Answer::All;
}

Answer escapeAnswer(Buttons buttons)
{
    if (buttons & BtnCancel)
        return Answer::Cancel;
    if (buttons & BtnNo)
        return Answer::No;
    return Answer::Ok;
}

Answer errorBox(const QString &text, Buttons buttons)
{
    return prompter().message(MessageKind::Error, QString(), text, buttons);
}

Answer confirmBox(const QString &text, Buttons buttons)
{
    return prompter().message(MessageKind::Confirm, QString(), text, buttons);
}

void informationBox(const QString &text)
{
    prompter().message(MessageKind::Information, QString(), text, BtnOk);
}

QString withReportPeriod(const QString &text)
{
    // A period goes after a last character that sorts after ".".
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + QLatin1Char('.');
    return text;
}

void reportError(const QString &text)
{
    prompter().message(MessageKind::Error, QStringLiteral("Verno"), withReportPeriod(text), BtnOk);
}

} // namespace verno
