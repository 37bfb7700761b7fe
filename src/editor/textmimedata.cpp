#include "editor/textmimedata.h"
#include "editor/textconvert.h"

#include <QMimeData>

namespace verno {

QMimeData *textMimeData(std::string_view bytes)
{
    auto *data = new QMimeData;
    data->setText(bytesToDisplay(std::string(bytes)));
    QByteArray own(kSingleByteCode.data(), qsizetype(kSingleByteCode.size()));
    own += '\n';
    own.append(bytes.data(), qsizetype(bytes.size()));
    data->setData(kTextBytesMimeType, own);
    return data;
}

std::string incomingBytes(const QMimeData &data)
{
    if (!data.hasText())
        return {};
    if (data.hasFormat(kTextBytesMimeType)) {
        const QByteArray own = data.data(kTextBytesMimeType);
        const qsizetype end = own.indexOf('\n');
        if (end >= 0 && std::string_view(own.constData(), size_t(end)) == kSingleByteCode)
            return std::string(own.constData() + end + 1, size_t(own.size() - end - 1));
    }
    return incomingBytes(data.text());
}

} // namespace verno
