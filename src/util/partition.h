#pragma once
// Consecutive ranges of a length, each known by its start (lines of a text by
// their first position, or logical lines by their first display line). A
// change of length is remembered as one pending step that applies to every
// range after a given one and is carried forward lazily, so edits near each
// other never walk all the starts.
#include "util/gapvector.h"

namespace verno {

class Partition {
public:
    Partition() { starts_.push_back(0); starts_.push_back(0); }

    // Ranges; at least one.
    int count() const { return int(starts_.size()) - 1; }
    // Start of range p; p == count() gives the total length.
    int start(int p) const
    {
        const int v = starts_[size_t(p)];
        return p > stepRange_ ? v + stepLength_ : v;
    }
    int total() const { return start(count()); }
    // The last range starting at or before pos (pos clamped to the length).
    int rangeOf(int pos) const;

    // Adds delta to the length of range p (the starts after it move).
    void grow(int p, int delta);
    // A new range p starting at pos, splitting what was range p - 1.
    void insert(int p, int pos);
    // Removes ranges [p, p + n), giving their lengths to range p - 1.
    void remove(int p, int n);

    // One range of the given length.
    void reset(int length);
    // Splits the last range at pos (at or after its start): the total stays.
    // Builds an index of a known length in one pass.
    void append(int pos) { starts_.insert(starts_.size() - 1, pos); }
    // Room for more ranges without allocating.
    void reserve(int more) { starts_.reserve(size_t(more)); }
    // A new last range of the given length: the total grows.
    void extend(int length);

private:
    bool holds(int p, int pos) const;
    void applyStepThrough(int p);
    void retractStepTo(int p);

    GapVector<int> starts_;
    int stepRange_ = 0;  // starts after this range still lack stepLength_
    int stepLength_ = 0;
    mutable int hint_ = 0; // the range the last lookup found
};

} // namespace verno
