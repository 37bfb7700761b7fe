#pragma once
// A malloc'd block of bytes that a text buffer can take over without a copy:
// a file is read straight into the memory the editor then edits. The content
// may start some way into the block, leaving room in front for editing.
#include <cstddef>
#include <cstdlib>
#include <utility>

namespace verno {

class ByteBlock {
public:
    ByteBlock() = default;
    ~ByteBlock() { std::free(data_); }
    ByteBlock(const ByteBlock &) = delete;
    ByteBlock &operator=(const ByteBlock &) = delete;
    ByteBlock(ByteBlock &&other) noexcept
        : data_(std::exchange(other.data_, nullptr)), offset_(std::exchange(other.offset_, 0)),
          size_(std::exchange(other.size_, 0)), capacity_(std::exchange(other.capacity_, 0))
    {
    }
    ByteBlock &operator=(ByteBlock &&other) noexcept
    {
        ByteBlock(std::move(other)).swap(*this);
        return *this;
    }
    void swap(ByteBlock &other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(offset_, other.offset_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

    // Room for at least capacity bytes in all, content kept; false when
    // memory is short.
    bool reserve(size_t capacity) { return capacity <= capacity_ || setCapacity(capacity); }

    // Exactly capacity bytes in all (at least the content's end).
    bool setCapacity(size_t capacity)
    {
        char *block = static_cast<char *>(std::realloc(data_, capacity ? capacity : 1));
        if (!block)
            return false;
        data_ = block;
        capacity_ = capacity;
        return true;
    }

    // The whole block, and the content within it.
    char *block() { return data_; }
    size_t capacity() const { return capacity_; }
    char *data() { return data_ + offset_; }
    const char *data() const { return data_ + offset_; }
    size_t offset() const { return offset_; }
    size_t size() const { return size_; }
    void setSize(size_t size) { size_ = size; }
    void setOffset(size_t offset) { offset_ = offset; }

    // Hands the block over; the caller frees it.
    char *release()
    {
        offset_ = size_ = capacity_ = 0;
        return std::exchange(data_, nullptr);
    }

private:
    char *data_ = nullptr;
    size_t offset_ = 0;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

} // namespace verno
