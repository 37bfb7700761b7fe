#include "platform/filefilter.h"

#include <QRegularExpression>

namespace verno {

QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    const QStringList fields = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < fields.size() || (i < fields.size() && !fields[i].isEmpty());
         i += 2) {
        QString description = fields[i].trimmed();
        QString patterns = i + 1 < fields.size() ? fields[i + 1] : QString();
        static const QRegularExpression tail(QStringLiteral("\\s*\\([^()]*\\)$"));
        description.remove(tail);
        QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : list) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        if (list.isEmpty())
            list << QStringLiteral("*");
        if (description.isEmpty())
            description = list.join(QLatin1Char(' '));
        result << description + QStringLiteral(" (") + list.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    if (result.isEmpty())
        result << QStringLiteral("All files (*)");
    return result;
}

} // namespace verno
