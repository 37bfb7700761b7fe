#include "app/commandline.h"

#include <QStringDecoder>

namespace verno {

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine cl;
    bool switches = true;
    for (const QString &arg : arguments) {
        if (arg.isEmpty())
            continue;
        if (!switches) {
            cl.files << arg;
        } else if (arg.startsWith(QLatin1Char('/')) && arg.size() == 2) {
            const QChar c = arg.at(1).toUpper();
            if (c == QLatin1Char('R'))
                cl.readOnly = true;
            else if (c == QLatin1Char('W'))
                cl.wordWrap = true;
        } else if (arg == QLatin1String("--")) {
            switches = false;
        } else if (arg == QLatin1String("-r") || arg == QLatin1String("--read-only")) {
            cl.readOnly = true;
        } else if (arg == QLatin1String("-w") || arg == QLatin1String("--word-wrap")) {
            cl.wordWrap = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            cl.help = true;
        } else if (arg == QLatin1String("--version")) {
            cl.version = true;
        } else {
            cl.files << arg;
        }
    }
    return cl;
}

bool argumentIsText(const QByteArray &raw)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder(raw);
    return !decoder.hasError();
}

QString printableArgument(const QByteArray &raw)
{
    QString out;
    qsizetype i = 0;
    while (i < raw.size()) {
        // The character starting here, one to four bytes, if it is valid.
        qsizetype len = 0;
        for (qsizetype n = 1; n <= 4 && i + n <= raw.size(); ++n) {
            if (argumentIsText(raw.mid(i, n))) {
                len = n;
                break;
            }
        }
        if (len == 0) {
            out += QStringLiteral("\\x") + QString::number(uchar(raw.at(i)), 16).toUpper().rightJustified(2, QLatin1Char('0'));
            ++i;
        } else {
            out += QString::fromUtf8(raw.mid(i, len));
            i += len;
        }
    }
    return out;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: verno [options] [file...]\n"
        "Opens each file in an edit window; wildcards * and ? are expanded.\n\n"
        "  /R, -r, --read-only   open every window read-only\n"
        "  /W, -w, --word-wrap   wrap long lines in every window\n"
        "  -h, --help            show this text\n"
        "  --version             show the version\n"
        "  --                    treat every later argument as a file name\n");
}

} // namespace verno
