// Bounds-checked sequential reader over a file image, in either byte order. Every read
// past the end fails once and leaves the reader failed; later reads return zero.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace kx {

class ByteReader {
public:
    ByteReader(std::span<const uint8_t> bytes, std::endian order)
        : data_(bytes.data()), size_(bytes.size()), order_(order) {}

    bool failed() const { return failed_; }
    size_t offset() const { return pos_; }
    size_t remaining() const { return size_ - pos_; }

    bool ReadBytes(void* out, size_t n) {
        if (failed_ || n > remaining()) {
            failed_ = true;
            std::memset(out, 0, n);
            return false;
        }
        std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }
    bool Skip(size_t n) {
        if (failed_ || n > remaining()) {
            failed_ = true;
            return false;
        }
        pos_ += n;
        return true;
    }

    template <typename T>
    T Read() {
        uint8_t raw[sizeof(T)];
        ReadBytes(raw, sizeof(T));
        if (order_ != std::endian::native) {
            for (size_t i = 0; i < sizeof(T) / 2; ++i) {
                std::swap(raw[i], raw[sizeof(T) - 1 - i]);
            }
        }
        T value;
        std::memcpy(&value, raw, sizeof(T));
        return value;
    }
    bool ReadFlag() { return Read<uint8_t>() != 0; }

    // n int32 values in one go (the waveform block is most of every file).
    bool ReadInt32s(int32_t* out, size_t n) {
        if (!ReadBytes(out, n * sizeof(int32_t))) {
            return false;
        }
        if (order_ != std::endian::native) {
            for (size_t i = 0; i < n; ++i) {
                out[i] = static_cast<int32_t>(__builtin_bswap32(static_cast<uint32_t>(out[i])));
            }
        }
        return true;
    }

private:
    const uint8_t* data_;
    size_t size_;
    std::endian order_;
    size_t pos_ = 0;
    bool failed_ = false;
};

// Sequential writer producing a file image in either byte order.
class ByteWriter {
public:
    explicit ByteWriter(std::endian order = std::endian::little) : order_(order) {}

    std::vector<uint8_t>& bytes() { return out_; }

    void WriteBytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    template <typename T>
    void Write(T value) {
        uint8_t raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        if (order_ != std::endian::native) {
            for (size_t i = 0; i < sizeof(T) / 2; ++i) {
                std::swap(raw[i], raw[sizeof(T) - 1 - i]);
            }
        }
        WriteBytes(raw, sizeof(T));
    }
    void WriteFlag(bool f) { Write<uint8_t>(f ? 1 : 0); }

private:
    std::endian order_;
    std::vector<uint8_t> out_;
};
}  // namespace kx
