#include "editor/clipboardstash.h"

#include <QClipboard>
#include <QGuiApplication>

namespace verno {

void ClipboardStash::SetClipboardAside() { setAsideText_ = QGuiApplication::clipboard()->text(); }

void ClipboardStash::PutClipboardBack()
{
    if (!setAsideText_.isEmpty())
        QGuiApplication::clipboard()->setText(setAsideText_);
    setAsideText_.clear();
}

} // namespace verno
