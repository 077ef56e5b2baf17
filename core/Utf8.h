#pragma once
// UTF-8 encoding and decoding of single code points, shared by the codecs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lc {

inline constexpr char32_t kReplacementChar = 0xFFFD;

inline void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code point at s[i] (i < s.size()), advancing i past it. A malformed or
// overlong sequence, a surrogate or a value past U+10FFFF gives U+FFFD, sets
// *bad and advances by one byte only.
inline char32_t NextUtf8(std::string_view s, size_t& i, bool* bad = nullptr) {
    const auto b = static_cast<uint8_t>(s[i++]);
    if (b < 0x80) return b;
    size_t len = 0;
    char32_t c = 0;
    if ((b & 0xE0) == 0xC0) {
        len = 1;
        c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        len = 2;
        c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        len = 3;
        c = b & 0x07;
    }
    bool ok = len > 0 && i + len <= s.size();
    for (size_t k = 0; ok && k < len; ++k) {
        const auto cb = static_cast<uint8_t>(s[i + k]);
        ok = (cb & 0xC0) == 0x80;
        c = (c << 6) | (cb & 0x3F);
    }
    constexpr char32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
    if (ok && (c < kLeast[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) ok = false;
    if (!ok) {
        if (bad) *bad = true;
        return kReplacementChar;
    }
    i += len;
    return c;
}

} // namespace lc
