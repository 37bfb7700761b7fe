#include "app/listtext.h"

namespace verno {

namespace {
char16_t upperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c; }
} // namespace

QString literalMenuText(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return result;
}

QString menuEntryText(const QString &name)
{
    constexpr qsizetype kMax = 100; // characters shown
    constexpr qsizetype kHead = 30;
    const QString ellipsis = QStringLiteral("...");
    if (name.size() <= kMax)
        return literalMenuText(name);
    return literalMenuText(name.left(kHead) + ellipsis + name.right(kMax - kHead - ellipsis.size()));
}

int alphaCompare(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = upperAscii(a.at(i).unicode());
        const char16_t y = upperAscii(b.at(i).unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace verno
