#include "editor/busystatus.h"
#include "editor/frameservices.h"

#include <QCursor>
#include <QGuiApplication>

namespace verno {

BusyStatus::BusyStatus(FrameServices &frame, const QString &text) : frame_(frame)
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    frame_.setStatusMessage(text);
    frame_.paintStatusNow();
}

BusyStatus::~BusyStatus() { end(); }

void BusyStatus::end()
{
    if (!active_)
        return;
    active_ = false;
    frame_.setStatusMessage(QString());
    QGuiApplication::restoreOverrideCursor();
}

} // namespace verno
