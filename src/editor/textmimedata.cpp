#include "editor/textmimedata.h"
#include "editor/textconvert.h"

#include <QMimeData>

namespace verno {

QMimeData *textMimeData(std::string_view bytes, bool utf8)
{
    auto *data = new QMimeData;
    data->setText(bytesToDisplay(std::string(bytes), utf8));
    const std::string_view code = utf8 ? kUtf8Code : kSingleByteCode;
    QByteArray own(code.data(), qsizetype(code.size()));
    own += '\n';
    own.append(bytes.data(), qsizetype(bytes.size()));
    data->setData(kTextBytesMimeType, own);
    return data;
}

std::string incomingBytes(const QMimeData &data, bool utf8)
{
    if (!data.hasText())
        return {};
    if (data.hasFormat(kTextBytesMimeType)) {
        const QByteArray own = data.data(kTextBytesMimeType);
        const qsizetype end = own.indexOf('\n');
        if (end >= 0 && std::string_view(own.constData(), size_t(end)) == (utf8 ? kUtf8Code : kSingleByteCode))
            return std::string(own.constData() + end + 1, size_t(own.size() - end - 1));
    }
    return incomingBytes(data.text(), utf8);
}

} // namespace verno
