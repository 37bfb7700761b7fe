#include "editor/textmimedata.h"
#include "editor/textconvert.h"

#include <QMimeData>
#include <algorithm>

namespace verno {

namespace {

// Bytes of one code in the other, character by character. A NUL is a
// character of both codes and stays a NUL, where the text shown to other
// programs holds only its visible symbol.
std::string recoded(std::string_view bytes, bool fromUtf8)
{
    std::string out;
    for (size_t start = 0; start <= bytes.size();) {
        const size_t nul = std::min(bytes.find('\0', start), bytes.size());
        out += incomingBytes(bytesToDisplay(std::string(bytes.substr(start, nul - start)), fromUtf8), !fromUtf8);
        if (nul < bytes.size())
            out += '\0';
        start = nul + 1;
    }
    return out;
}

} // namespace

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
        const std::string_view code(own.constData(), size_t(std::max<qsizetype>(end, 0)));
        const std::string_view bytes(own.constData() + end + 1, size_t(own.size() - end - 1));
        if (end >= 0 && code == (utf8 ? kUtf8Code : kSingleByteCode))
            return std::string(bytes);
        if (end >= 0 && code == (utf8 ? kSingleByteCode : kUtf8Code))
            return recoded(bytes, !utf8);
    }
    return incomingBytes(data.text(), utf8);
}

} // namespace verno
