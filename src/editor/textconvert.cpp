#include "editor/textconvert.h"
#include "util/bytechars.h"
#include "util/utf8.h"

namespace verno {

QString utf8ToDisplay(std::string_view bytes)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t size = bytes.size();
    for (size_t i = 0; i < size;) {
        const unsigned char b = s[i];
        if (b == '\r' || b == '\n') {
            i += b == '\r' && i + 1 < size && s[i + 1] == '\n' ? 2 : 1;
            out += QLatin1Char('\n');
            continue;
        }
        char32_t cp;
        const int length = utf8::decode(s + i, size - i, cp);
        if (length == 0) {
            out += QChar(QChar::ReplacementCharacter);
            ++i;
            continue;
        }
        if (cp == 0)
            out += QChar(kNulSymbol);
        else if (QChar::requiresSurrogates(cp))
            out += QString::fromUcs4(&cp, 1);
        else
            out += QChar(char16_t(cp));
        i += size_t(length);
    }
    return out;
}

QString bytesToDisplay(const std::string &bytes, bool utf8)
{
    if (utf8)
        return utf8ToDisplay(bytes);
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

std::string incomingBytes(const QString &text, bool utf8)
{
    if (!utf8)
        return incomingBytes(text);
    QString chars = text;
    chars.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (QChar &c : chars)
        if (c == u'\r' || c == u'\u2028' || c == u'\u2029')
            c = u'\n';
    const QByteArray bytes = chars.toUtf8();
    std::string out;
    out.reserve(size_t(bytes.size()) + size_t(bytes.count('\n')));
    for (const char b : bytes) {
        if (b == '\n')
            out += '\r';
        out += b;
    }
    return out;
}

QString filterIncoming(const QString &text) { return bytesToDisplay(incomingBytes(text)); }

} // namespace verno
