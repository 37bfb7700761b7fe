#pragma once
#include <string>
#include <vector>

namespace verno {

// Most-recent-first list of earlier texts, trimmed to Capacity when a new
// text arrives. Entries is public: dialogs show it and the settings store
// loads it directly (untrimmed) and saves it.
class T_HistList {
public:
    explicit T_HistList(int capacity);
    virtual ~T_HistList() = default;

    int Capacity;
    std::vector<std::string> Entries;

    virtual void Clear();
    // Records text as the most recent entry; a text already present (ignoring
    // letter case) moves to the front as stored. Returns its former position,
    // -1 when it was new, 0 for an empty text (which changes nothing).
    virtual int Add(const std::string &text);
};

} // namespace verno
