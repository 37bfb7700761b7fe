#include "app/filterlist.h"

namespace verno {

const char *const kDefaultFileFilter =
    "Text (*.txt)|*.txt|Data (*.dat)|*.dat|Batch (*.bat)|*.bat|"
    "Pascal,Delphi (*.pas;*.dpr)|*.pas;*.dpr|C (*.c;*.cpp;*.h)|*.c;*.cpp;*.h|"
    "HTML (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*";

namespace {

// Removes and returns the text before the first "|" (all of it when there is none).
QString takeField(QString &rest)
{
    const qsizetype bar = rest.indexOf(QLatin1Char('|'));
    QString field = bar < 0 ? rest : rest.left(bar);
    rest = bar < 0 ? QString() : rest.mid(bar + 1);
    return field;
}

} // namespace

void FilterToList(const QString &text, QStringList &list)
{
    list.clear();
    QString rest = text;
    while (!rest.isEmpty()) {
        const QString description = takeField(rest);
        const QString pattern = takeField(rest);
        list << description + QLatin1Char('|') + pattern;
    }
}

QString ListToFilter(const QStringList &list)
{
    return list.join(QLatin1Char('|'));
}

} // namespace verno
