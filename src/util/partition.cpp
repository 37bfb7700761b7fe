#include "util/partition.h"

namespace verno {

bool Partition::holds(int p, int pos) const
{
    return p < count() && start(p) <= pos && (p + 1 == count() || pos < start(p + 1));
}

int Partition::rangeOf(int pos) const
{
    // Lookups come in runs near each other: try where the last one ended.
    if (holds(hint_, pos))
        return hint_;
    if (holds(hint_ + 1, pos))
        return ++hint_;
    int lo = 0;
    int hi = count() - 1;
    if (pos >= start(hi))
        return hint_ = hi;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (start(mid) <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    return hint_ = lo;
}

void Partition::applyStepThrough(int p)
{
    if (stepLength_ != 0 && p > stepRange_)
        starts_.addToRange(size_t(stepRange_) + 1, size_t(p) + 1, stepLength_);
    stepRange_ = p;
    if (stepRange_ >= count()) {
        stepRange_ = count();
        stepLength_ = 0;
    }
}

void Partition::retractStepTo(int p)
{
    if (stepLength_ != 0 && p < stepRange_)
        starts_.addToRange(size_t(p) + 1, size_t(stepRange_) + 1, -stepLength_);
    stepRange_ = p;
}

void Partition::grow(int p, int delta)
{
    if (delta == 0)
        return;
    if (stepLength_ == 0) {
        stepRange_ = p;
    } else if (p >= stepRange_) {
        applyStepThrough(p);
    } else if (p >= stepRange_ - count() / 10) {
        retractStepTo(p);
    } else {
        // Far back: settle the old step and start a new one here.
        applyStepThrough(count());
        stepRange_ = p;
    }
    stepLength_ += delta;
    if (stepRange_ >= count()) {
        stepRange_ = count();
        stepLength_ = 0;
    }
}

void Partition::insert(int p, int pos)
{
    if (stepRange_ < p)
        applyStepThrough(p);
    starts_.insert(size_t(p), pos);
    ++stepRange_;
}

void Partition::remove(int p, int n)
{
    if (n <= 0)
        return;
    if (p + n - 1 > stepRange_)
        applyStepThrough(p + n - 1);
    starts_.erase(size_t(p), size_t(n));
    stepRange_ -= n;
}

void Partition::extend(int length)
{
    applyStepThrough(count());
    const size_t last = starts_.size() - 1;
    const int total = starts_[last];
    starts_.insert(last, total);
    starts_.at(last + 1) = total + length;
    stepRange_ = count();
}

void Partition::reset(int length)
{
    starts_.clear();
    starts_.push_back(0);
    starts_.push_back(length);
    stepRange_ = 0;
    stepLength_ = 0;
}

} // namespace verno
