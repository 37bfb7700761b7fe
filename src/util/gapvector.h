#pragma once
// A gap buffer of plain values: edits near the last edit cost the size of the
// edit. Storage is one malloc'd block grown with realloc, so a large buffer
// grows in place (the kernel remaps it) instead of being copied.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <type_traits>
#include <utility>

namespace verno {

template <typename T> class GapVector {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    GapVector() = default;
    ~GapVector() { std::free(data_); }
    GapVector(const GapVector &) = delete;
    GapVector &operator=(const GapVector &) = delete;
    GapVector(GapVector &&other) noexcept { swap(other); }
    GapVector &operator=(GapVector &&other) noexcept
    {
        GapVector(std::move(other)).swap(*this);
        return *this;
    }

    void swap(GapVector &other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(capacity_, other.capacity_);
        std::swap(gapStart_, other.gapStart_);
        std::swap(gapLength_, other.gapLength_);
    }

    // Takes over a malloc'd block of capacity values holding the content
    // on either side of a gap.
    void adopt(T *block, size_t gapStart, size_t gapLength, size_t capacity)
    {
        std::free(data_);
        data_ = block;
        capacity_ = capacity;
        gapStart_ = gapStart;
        gapLength_ = gapLength;
    }

    size_t size() const { return capacity_ - gapLength_; }
    bool empty() const { return size() == 0; }

    T operator[](size_t i) const { return i < gapStart_ ? data_[i] : data_[i + gapLength_]; }
    T &at(size_t i) { return i < gapStart_ ? data_[i] : data_[i + gapLength_]; }

    void clear()
    {
        gapStart_ = 0;
        gapLength_ = capacity_;
    }

    void release()
    {
        std::free(data_);
        data_ = nullptr;
        capacity_ = gapStart_ = gapLength_ = 0;
    }

    void insert(size_t pos, const T *values, size_t count)
    {
        if (count == 0)
            return;
        makeRoom(pos, count);
        std::memcpy(data_ + pos, values, count * sizeof(T));
        gapStart_ += count;
        gapLength_ -= count;
    }

    void insert(size_t pos, T value) { insert(pos, &value, 1); }
    void push_back(T value) { insert(size(), &value, 1); }

    void erase(size_t pos, size_t count)
    {
        if (count == 0)
            return;
        if (pos == gapStart_) {
            gapLength_ += count;
        } else if (pos + count == gapStart_) {
            gapStart_ = pos;
            gapLength_ += count;
        } else {
            moveGap(pos);
            gapLength_ += count;
        }
    }

    // Copies count values from pos on into out.
    void copy(size_t pos, size_t count, T *out) const
    {
        const size_t end = pos + count;
        if (end <= gapStart_) {
            std::memcpy(out, data_ + pos, count * sizeof(T));
        } else if (pos >= gapStart_) {
            std::memcpy(out, data_ + pos + gapLength_, count * sizeof(T));
        } else {
            const size_t before = gapStart_ - pos;
            std::memcpy(out, data_ + pos, before * sizeof(T));
            std::memcpy(out + before, data_ + gapStart_ + gapLength_, (count - before) * sizeof(T));
        }
    }

    // A direct pointer to [pos, pos + count) when the gap does not split it.
    const T *span(size_t pos, size_t count) const
    {
        if (pos + count <= gapStart_)
            return data_ + pos;
        if (pos >= gapStart_)
            return data_ + pos + gapLength_;
        return nullptr;
    }

    // The content as (at most) two contiguous pieces, in order.
    std::pair<std::basic_string_view<T>, std::basic_string_view<T>> pieces() const
        requires std::is_same_v<T, char>
    {
        return {{data_, gapStart_}, {data_ + gapStart_ + gapLength_, size() - gapStart_}};
    }

    // Adds delta to the values at [first, last).
    void addToRange(size_t first, size_t last, T delta)
    {
        const size_t mid = std::clamp(gapStart_, first, last);
        for (size_t i = first; i < mid; ++i)
            data_[i] += delta;
        for (size_t i = mid + gapLength_; i < last + gapLength_; ++i)
            data_[i] += delta;
    }

    void moveGap(size_t pos)
    {
        if (pos < gapStart_) {
            std::memmove(data_ + pos + gapLength_, data_ + pos, (gapStart_ - pos) * sizeof(T));
        } else if (pos > gapStart_) {
            std::memmove(data_ + gapStart_, data_ + gapStart_ + gapLength_, (pos - gapStart_) * sizeof(T));
        }
        gapStart_ = pos;
    }

    // Ensures room for count more values without another allocation.
    void reserve(size_t count)
    {
        if (gapLength_ >= count)
            return;
        const size_t tail = size() - gapStart_;
        // Grow by an eighth, at most a few megabytes: realloc of a large
        // block remaps pages, and moving the text after the gap touches as
        // many new pages as the gap grows, so a modest step keeps the peak
        // near the content.
        const size_t step = std::min(capacity_ / 8, (size_t(8) << 20) / sizeof(T));
        const size_t grown = capacity_ + std::max({count - gapLength_, step, size_t(4096) / sizeof(T)});
        T *block = static_cast<T *>(std::realloc(data_, grown * sizeof(T)));
        if (!block)
            throw std::bad_alloc();
        data_ = block;
        const size_t newGap = grown - size();
        std::memmove(data_ + gapStart_ + newGap, data_ + gapStart_ + gapLength_, tail * sizeof(T));
        gapLength_ = newGap;
        capacity_ = grown;
    }

private:
    void makeRoom(size_t pos, size_t count)
    {
        moveGap(pos);
        reserve(count);
    }

    T *data_ = nullptr;
    size_t capacity_ = 0;
    size_t gapStart_ = 0;
    size_t gapLength_ = 0;
};

} // namespace verno
