#pragma once
// Little-endian record reading and writing for every binary format. The reader
// distrusts its input: every read is checked against what is left, and a
// shortfall throws FormatError before anything is copied.
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Cp1251.h"
#include "core/Errors.h"

namespace lc {

// Little-endian fields at a known place in a record already in memory (the
// caller has checked that the bytes are there).
inline uint16_t GetU16LE(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t GetU32LE(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
inline void PutU16LE(uint8_t* p, uint16_t v) {
    p[0] = v & 0xFF;
    p[1] = v >> 8;
}
inline void PutU32LE(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = (v >> (8 * i)) & 0xFF;
}

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data, std::string damagedMessage = "file is damaged")
        : data_(data), msg_(std::move(damagedMessage)) {}

    size_t pos() const { return pos_; }
    size_t size() const { return data_.size(); }
    size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }

    void need(size_t n) const {
        if (n > remaining()) throw FormatError(msg_);
    }
    void seek(size_t p) {
        if (p > data_.size()) throw FormatError(msg_);
        pos_ = p;
    }
    void skip(size_t n) {
        need(n);
        pos_ += n;
    }

    uint8_t u8() {
        need(1);
        return data_[pos_++];
    }
    uint16_t u16() {
        need(2);
        const uint16_t v = GetU16LE(data_.data() + pos_);
        pos_ += 2;
        return v;
    }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    uint32_t u32() {
        need(4);
        const uint32_t v = GetU32LE(data_.data() + pos_);
        pos_ += 4;
        return v;
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    double f64() {
        need(8);
        uint64_t v = 0;
        for (int i = 7; i >= 0; --i) v = (v << 8) | data_[pos_ + i];
        pos_ += 8;
        return std::bit_cast<double>(v);
    }
    std::span<const uint8_t> bytes(size_t n) {
        need(n);
        auto s = data_.subspan(pos_, n);
        pos_ += n;
        return s;
    }
    // A length byte and up to fieldSize-1 Windows-1251 characters.
    std::string shortString(size_t fieldSize) { return ReadShortString(bytes(fieldSize).data(), fieldSize); }

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    std::string msg_;
};

class ByteWriter {
public:
    std::vector<uint8_t>& buffer() { return buf_; }
    const std::vector<uint8_t>& buffer() const { return buf_; }
    size_t size() const { return buf_.size(); }

    void u8(uint8_t v) { buf_.push_back(v); }
    void u16(uint16_t v) {
        buf_.push_back(v & 0xFF);
        buf_.push_back(v >> 8);
    }
    void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i) buf_.push_back((v >> (8 * i)) & 0xFF);
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void f64(double d) {
        uint64_t v = std::bit_cast<uint64_t>(d);
        for (int i = 0; i < 8; ++i) buf_.push_back((v >> (8 * i)) & 0xFF);
    }
    void bytes(std::span<const uint8_t> b) { buf_.insert(buf_.end(), b.begin(), b.end()); }
    void zeros(size_t n) { buf_.insert(buf_.end(), n, 0); }
    void shortString(size_t fieldSize, std::string_view utf8) {
        size_t at = buf_.size();
        buf_.resize(at + fieldSize);
        WriteShortString(buf_.data() + at, fieldSize, utf8);
    }
    // Overwrites 4 bytes already written (sizes and counts known only later).
    void patchU32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) buf_.at(at + i) = (v >> (8 * i)) & 0xFF;
    }

private:
    std::vector<uint8_t> buf_;
};

} // namespace lc
