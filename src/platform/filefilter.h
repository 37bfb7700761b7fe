#pragma once
#include <QString>
#include <QStringList>

namespace verno {

// "Text (*.txt)|*.txt|..." -> Qt name filters, one per description/pattern pair.
// A description's own "(...)" tail is replaced by the real patterns.
QStringList qtNameFilters(const QString &filter);

} // namespace verno
