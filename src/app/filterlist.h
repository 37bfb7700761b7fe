#pragma once
// The open dialog's filter text ("description|pattern|...") as one list entry
// per file type, the form in which it is stored.
#include <QString>
#include <QStringList>

namespace verno {

extern const char *const kDefaultFileFilter;

// Each entry is "description|pattern"; a description without a pattern gives
// an entry ending in "|".
void FilterToList(const QString &text, QStringList &list);
QString ListToFilter(const QStringList &list);

} // namespace verno
