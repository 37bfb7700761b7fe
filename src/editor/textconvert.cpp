#include "editor/textconvert.h"
#include "util/bytechars.h"

namespace verno {

QString bytesToDisplay(const std::string &bytes)
{
    QString out;
    out.resize(qsizetype(bytes.size()));
    QChar *d = out.data();
    qsizetype n = 0;
    const size_t size = bytes.size();
    for (size_t i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r') {
            if (i + 1 < size && bytes[i + 1] == '\n')
                ++i;
            d[n++] = QLatin1Char('\n');
        } else if (b == '\n') {
            d[n++] = QLatin1Char('\n');
        } else {
            d[n++] = QChar(ByteToChar(b));
        }
    }
    out.truncate(n);
    return out;
}

std::string displayToBytes(const QChar *chars, qsizetype count, int *firstUnheld)
{
    if (firstUnheld)
        *firstUnheld = -1;
    const auto unheld = [&](std::string &out) {
        if (firstUnheld && *firstUnheld < 0)
            *firstUnheld = int(out.size());
        out += '?';
    };
    std::string out;
    out.reserve(size_t(count) + size_t(count) / 32);
    for (qsizetype i = 0; i < count; ++i) {
        const char16_t c = chars[i].unicode();
        if (c == u'\n' || c == u'\u2028' || c == u'\u2029') {
            out += "\r\n";
        } else if (c == u'\r') {
            out += "\r\n";
            if (i + 1 < count && chars[i + 1].unicode() == u'\n')
                ++i;
        } else if (QChar::isHighSurrogate(c) && i + 1 < count && chars[i + 1].isLowSurrogate()) {
            unheld(out); // one character outside the code page
            ++i;
        } else if (const int b = CharToByte(c); b >= 0) {
            out += char(b);
        } else {
            unheld(out);
        }
    }
    return out;
}

std::string displayToBytes(const QString &text) { return displayToBytes(text.constData(), text.size()); }

bool isTypedText(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    if (first.isHighSurrogate())
        return text.size() > 1 && text.at(1).isLowSurrogate();
    return first.category() != QChar::Other_Control && !first.isSurrogate();
}

std::string incomingBytes(const QString &text)
{
    QString chars = text.normalized(QString::NormalizationForm_C);
    chars.replace(QChar(kNulSymbol), QLatin1Char('?'));
    return displayToBytes(chars);
}

QString filterIncoming(const QString &text) { return bytesToDisplay(incomingBytes(text)); }

} // namespace verno
