#include "search/histlist.h"

#include <QString>

#include <algorithm>

namespace verno {

T_HistList::T_HistList(int capacity) : Capacity(capacity) {}

void T_HistList::Clear() { Entries.clear(); }

int T_HistList::Add(const std::string &text)
{
    if (text.empty())
        return 0;
    // Texts are characters in UTF-8: letters of every script match in either case.
    const QString wanted = QString::fromStdString(text);
    const auto found = std::find_if(Entries.begin(), Entries.end(), [&](const std::string &e) {
        return QString::fromStdString(e).compare(wanted, Qt::CaseInsensitive) == 0;
    });
    if (found == Entries.end()) {
        if (Capacity > 0) {
            // A loaded list may hold more than Capacity; trim it all here.
            const auto keep = static_cast<std::size_t>(Capacity - 1);
            if (Entries.size() > keep)
                Entries.resize(keep);
            Entries.insert(Entries.begin(), text);
        }
        return -1;
    }
    // The stored spelling stays; only its place changes.
    std::rotate(Entries.begin(), found, found + 1);
    return static_cast<int>(found - Entries.begin());
}

} // namespace verno
