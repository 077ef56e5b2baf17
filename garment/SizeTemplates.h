#pragma once
// Size templates: named sets of the twelve measurements in centimetres, in
// 160-byte records (name: length byte and up to 59 characters; i32 kind 1-5;
// twelve f64 in body-size order). The shipped files "loopcrafter_sz.ENG" and
// ".RUS" are read only; the user's own templates (kind 5) live in
// "loopcrafter_sz.cus" in the user's data folder. Names are kept as the
// file's bytes (the dialog encodes and decodes them for the language).
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "garment/BodySize.h"

namespace lc {

inline constexpr size_t kSizeTemplateRecord = 160;
inline constexpr size_t kTemplateNameMax = 59;
inline constexpr int kCustomTemplateKind = 5;
inline constexpr const char* kTemplatesPrefix = "loopcrafter_sz.";
inline constexpr const char* kCustomTemplatesName = "loopcrafter_sz.cus";

struct SizeTemplate {
    std::string Name; // file bytes, at most 59
    int32_t Kind = kCustomTemplateKind;
    std::array<double, kBodyFieldCount> Values{};
    bool operator==(const SizeTemplate&) const = default;
};

// A measurement a user may type: more than 0 and less than 1000 cm.
bool IsValidMeasurement(double centimetres);

// The template from the edits (centimetres already): the nine visible fields
// must be present and valid; the hidden Le10, Le11 and Le12 default to
// 0.14 x Hips, 0.34 x BackLength and 0.1 x BackLength. Nothing when a value
// is missing or invalid. The name is cut to 59 bytes.
std::optional<SizeTemplate> MakeTemplate(std::string name,
                                         const std::array<std::optional<double>, kBodyFieldCount>& typed);

// The shipped file for a language code: ".RUS" for "RUS", ".ENG" otherwise.
std::string ShippedTemplatesName(const std::string& languageCode);

// Reads every record (FormatError for a partial record, a kind outside 1-5
// or a value that is not finite); a missing file gives IoError.
std::vector<SizeTemplate> ReadTemplates(const std::filesystem::path& file);
std::vector<SizeTemplate> ParseTemplates(std::span<const uint8_t> bytes);
std::vector<uint8_t> TemplatesBytes(const std::vector<SizeTemplate>& templates);

// Changes to the custom file, each an atomic rewrite of the whole file.
// Appending creates the file. UpdateTemplate overwrites the last record of
// that name (false when there is none); DeleteTemplates removes every record
// of that name and returns how many went.
void AppendTemplate(const std::filesystem::path& file, const SizeTemplate& t);
bool UpdateTemplate(const std::filesystem::path& file, const SizeTemplate& t);
int DeleteTemplates(const std::filesystem::path& file, const std::string& name);

} // namespace lc
