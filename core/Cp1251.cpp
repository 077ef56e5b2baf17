#include "core/Cp1251.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lc {

namespace {

// Unicode code points of bytes 0x80..0xBF; 0x98 has no character and maps to itself.
constexpr std::array<char32_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t toUnicode(uint8_t b) {
    if (b < 0x80) return b;
    if (b < 0xC0) return kHigh[b - 0x80];
    return 0x0410 + (b - 0xC0);
}

int fromUnicode(char32_t c) {
    if (c < 0x80) return static_cast<int>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<int>(0xC0 + (c - 0x0410));
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return static_cast<int>(0x80 + i);
    return -1;
}

void appendUtf8(std::string& out, char32_t c) {
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

} // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) appendUtf8(out, toUnicode(static_cast<uint8_t>(ch)));
    return out;
}

static std::optional<std::string> encode(std::string_view s, bool strict) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const uint8_t b = static_cast<uint8_t>(s[i]);
        char32_t c;
        size_t len;
        if (b < 0x80) { c = b; len = 1; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; len = 2; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; len = 3; }
        else if ((b & 0xF8) == 0xF0) { c = b & 0x07; len = 4; }
        else { if (strict) return std::nullopt; out += '?'; ++i; continue; }
        if (i + len > s.size()) { if (strict) return std::nullopt; out += '?'; break; }
        bool ok = true;
        for (size_t k = 1; k < len; ++k) {
            const uint8_t cb = static_cast<uint8_t>(s[i + k]);
            if ((cb & 0xC0) != 0x80) { ok = false; break; }
            c = (c << 6) | (cb & 0x3F);
        }
        if (!ok) { if (strict) return std::nullopt; out += '?'; ++i; continue; }
        const int m = fromUnicode(c);
        if (m < 0 && strict) return std::nullopt;
        out += m < 0 ? '?' : static_cast<char>(m);
        i += len;
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view s) { return *encode(s, false); }
std::optional<std::string> Utf8ToCp1251Strict(std::string_view s) { return encode(s, true); }

void WriteShortString(uint8_t* field, size_t fieldSize, std::string_view utf8) {
    if (fieldSize == 0) return;
    std::memset(field, 0, fieldSize);
    const std::string enc = Utf8ToCp1251(utf8);
    const size_t n = std::min({enc.size(), fieldSize - 1, size_t{255}});
    field[0] = static_cast<uint8_t>(n);
    std::memcpy(field + 1, enc.data(), n);
}

std::string ReadShortString(const uint8_t* field, size_t fieldSize) {
    if (fieldSize == 0) return {};
    const size_t n = std::min<size_t>(field[0], fieldSize - 1);
    return Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(field + 1), n));
}

} // namespace lc
