#pragma once
// Texts and order shared by the file history, the window list and the tabs.
#include <QString>

namespace verno {

// A name as a menu caption or tab text: "&" stands for itself, it marks no
// access key.
QString literalMenuText(const QString &text);

// A name as a menu entry: a name too long for one menu line keeps its start
// and its end around "...", so the menu (and its shortcut column) stays on
// the screen. The entry still stands for the whole name.
QString menuEntryText(const QString &name);

// Alphabetical order: letters a to z upper-cased, then character codes
// compared one by one, a text that is a prefix of the other being the smaller.

int alphaCompare(const QString &a, const QString &b);
inline bool alphaLess(const QString &a, const QString &b) { return alphaCompare(a, b) < 0; }

// The index of the first of count items whose key sorts after text; count if
// none, so equal keys keep their order of arrival.
template <typename KeyAt> int alphaInsertPosition(int count, KeyAt keyAt, const QString &text)
{
    for (int i = 0; i < count; ++i)
        if (alphaLess(text, keyAt(i)))
            return i;
    return count;
}

// Selection sort in place: each position takes the first strictly smaller
// item after it. Callers exchange whatever an item carries (caption, window).
template <typename KeyAt, typename Exchange> void alphaSelectionSort(int count, KeyAt keyAt, Exchange exchange)
{
    for (int i = 0; i + 1 < count; ++i) {
        int smallest = i;
        QString smallestKey = keyAt(i);
        for (int j = i + 1; j < count; ++j) {
            QString key = keyAt(j);
            if (alphaLess(key, smallestKey)) {
                smallest = j;
                smallestKey = std::move(key);
            }
        }
        if (smallest != i)
            exchange(i, smallest);
    }
}

} // namespace verno
