#include "app/vernoapplication.h"
#include "platform/altletterfilter.h"
#include "platform/prompter.h"

#include <exception>
#include <new>

namespace verno {

VernoApplication::VernoApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Verno"));
    setApplicationVersion(QStringLiteral("3.0"));
    setOrganizationName(QStringLiteral("Qvo"));
    installEventFilter(new AltLetterFilter(this));
}

bool VernoApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc &) {
        reportError(QStringLiteral("Out of system resources"));
    } catch (const std::exception &e) {
        reportError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace verno
