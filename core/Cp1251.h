#pragma once
// Text in binary files is Windows-1251 (as existing files hold it); in memory
// it is UTF-8. Fixed-length string fields are a length byte and up to N bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lc {

// The Unicode code point of one Windows-1251 byte (0x98, unassigned, maps to itself).
char32_t Cp1251ToUnicode(uint8_t byte);
std::string Cp1251ToUtf8(std::string_view bytes);
// Characters with no Windows-1251 form become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1251(std::string_view utf8);
// The same, but nothing when any character has no Windows-1251 form or the
// UTF-8 is malformed (for writers that must refuse such text).
std::optional<std::string> Utf8ToCp1251Strict(std::string_view utf8);

// A field of `fieldSize` bytes: a length byte and up to fieldSize-1 characters.
// Writing cuts the encoded text to the field (every character is one byte, so
// the cut always falls on a character boundary) and zero-fills the rest.
void WriteShortString(uint8_t* field, size_t fieldSize, std::string_view utf8);
// Reading never trusts the length byte beyond the field.
std::string ReadShortString(const uint8_t* field, size_t fieldSize);

} // namespace lc
