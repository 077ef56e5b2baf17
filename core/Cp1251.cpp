#include "core/Cp1251.h"

#include "core/Utf8.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lc {

namespace {

// Unicode code points of bytes 0x80..0xBF; 0x98 has no character and maps to itself.
constexpr std::array<char32_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

int fromUnicode(char32_t c) {
    if (c < 0x80) return static_cast<int>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<int>(0xC0 + (c - 0x0410));
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return static_cast<int>(0x80 + i);
    return -1;
}

} // namespace

char32_t Cp1251ToUnicode(uint8_t b) {
    if (b < 0x80) return b;
    if (b < 0xC0) return kHigh[b - 0x80];
    return 0x0410 + (b - 0xC0);
}

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) AppendUtf8(out, Cp1251ToUnicode(static_cast<uint8_t>(ch)));
    return out;
}

static std::optional<std::string> encode(std::string_view s, bool strict) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        bool bad = false;
        const char32_t c = NextUtf8(s, i, &bad);
        const int m = bad ? -1 : fromUnicode(c);
        if (m < 0) {
            if (strict) return std::nullopt;
            out += '?';
        } else {
            out += static_cast<char>(m);
        }
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
