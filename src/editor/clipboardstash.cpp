#include "editor/clipboardstash.h"
#include "editor/textmimedata.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace verno {

void ClipboardStash::SetClipboardAside()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    setAsideText_ = data ? data->text() : QString();
    setAsideBytes_ = data && !setAsideText_.isEmpty() ? data->data(kTextBytesMimeType) : QByteArray();
}

void ClipboardStash::PutClipboardBack()
{
    if (!setAsideText_.isEmpty()) {
        auto *data = new QMimeData;
        data->setText(setAsideText_);
        if (!setAsideBytes_.isEmpty())
            data->setData(kTextBytesMimeType, setAsideBytes_);
        QGuiApplication::clipboard()->setMimeData(data);
    }
    setAsideText_.clear();
    setAsideBytes_.clear();
}

} // namespace verno
