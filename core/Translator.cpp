#include "core/Translator.h"

#include "core/Bytes.h"
#include "core/Cp1251.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace lc {

namespace {

// The built-in English technique names used when the language file gives none.
constexpr std::array<std::string_view, 17> kDefaultTechniqueNames = {
    "Fair Isle",
    "Thread Lace",
    "Tuck Stitch",
    "Multicolor Tuck Stitch",
    "Double Tuck Stitch",
    "Skip Stitch",
    "Multicolor Skip Stitch",
    "Weaving",
    "Lace",
    "Fine Lace",
    "Jacquard 2 Colors",
    "Jacquard 3 Colors",
    "Jacquard 4 Colors",
    "Pin Tuck Stitch",
    "Terry Weave",
    "Lace Effect",
    "Intarsia",
};

std::string sectionBytesToUtf8(std::string_view bytes) { return Cp1251ToUtf8(bytes); }

// Lines end at CR LF, LF or a lone CR; a break at the very end opens no new line.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        start = end;
    }
    return lines;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::size_t countCodePoints(std::string_view utf8) {
    std::size_t n = 0;
    for (const char ch : utf8)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

// Technique names are identities ("name=kind" lines, exact-match selection,
// the autosave's 200-character field): refuse what would break that.
bool usableTechniqueName(std::string_view name) {
    return !name.empty() && name.find('=') == std::string_view::npos && countCodePoints(name) <= 200;
}

} // namespace

Translator::Translator() : FileName(kLanguageFileName) {}

Translator::LoadResult Translator::LoadLanguage(std::string_view code) {
    lastError_.clear();
    const auto fail = [this](const std::string& why) {
        lastError_ = "Language file \"" + FileName + "\": " + why;
        return LoadResult::Failed;
    };

    std::error_code ec;
    if (!std::filesystem::is_regular_file(FileName, ec)) return fail("not found");
    const std::uintmax_t fileSize = std::filesystem::file_size(FileName, ec);
    if (ec) return fail("cannot read its size (" + ec.message() + ")");
    std::ifstream in(FileName, std::ios::binary);
    if (!in) return fail("cannot be opened");
    if (fileSize < std::uintmax_t(kLanguageSectionsStart)) return fail("the file is damaged (too short)");

    std::array<std::uint8_t, kLanguageKeySize> key{};
    std::array<std::uint8_t, kLanguageDirSize> dir{};
    in.seekg(kLanguageHeaderSize);
    in.read(reinterpret_cast<char*>(key.data()), key.size());
    in.read(reinterpret_cast<char*>(dir.data()), dir.size());
    if (!in) return fail("cannot be read");
    for (std::size_t i = 0; i < dir.size(); ++i) dir[i] ^= key[i];
    Key = key;
    Directory = dir;

    // Only a full three-letter code can name a section.
    if (code.size() < 3) {
        lastError_ =
            "Language file \"" + FileName + "\": \"" + std::string(code) + "\" is not a three-letter language code";
        return LoadResult::NoSection;
    }

    // 32 sizes of at most 2^32 - 1 each: the running offset fits 64 bits.
    std::uint64_t offset = kLanguageSectionsStart;
    for (int e = 0; e < kLanguageDirEntries; ++e) {
        const std::uint8_t* entry = dir.data() + e * kLanguageDirEntrySize;
        const std::uint32_t size = GetU32LE(entry + 4);
        if (std::memcmp(entry, code.data(), 3) != 0) {
            offset += size;
            continue;
        }
        if (offset > fileSize || size > fileSize - offset)
            return fail("the section \"" + std::string(code.substr(0, 3)) + "\" runs past the end of the file");
        if (size > kMaxLanguageSectionSize) return fail("the section is too large; the file is damaged");

        std::string bytes(size, '\0');
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        if (!in) return fail("cannot be read");
        for (std::uint32_t j = 0; j < size; ++j)
            bytes[j] = static_cast<char>(static_cast<std::uint8_t>(bytes[j]) ^ key[j % kLanguageKeySize]);
        Strings = splitLines(sectionBytesToUtf8(bytes));
        return LoadResult::Loaded;
    }
    lastError_ = "Language file \"" + FileName + "\" has no section \"" + std::string(code.substr(0, 3)) + "\"";
    return LoadResult::NoSection;
}

std::string Translator::Translate(std::string_view key) const {
    for (const std::string& line : Strings) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (equalsIgnoringAsciiCase(std::string_view(line).substr(0, eq), key)) return line.substr(eq + 1);
    }
    return {};
}

std::array<std::string, 17> TechniqueNames(const Translator& translator) {
    std::array<std::string, 17> names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string name = translator.Translate(kTechniqueNameKeys[i]);
        names[i] = usableTechniqueName(name) ? std::move(name) : std::string(kDefaultTechniqueNames[i]);
    }
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = i + 1; j < names.size(); ++j)
            if (names[i] == names[j]) {
                for (std::size_t k = 0; k < names.size(); ++k) names[k] = kDefaultTechniqueNames[k];
                return names;
            }
    return names;
}

std::string TechniqueName(std::string_view key, const Translator& translator) {
    for (std::size_t i = 0; i < kTechniqueNameKeys.size(); ++i)
        if (kTechniqueNameKeys[i] == key) return TechniqueNames(translator)[i];
    return {};
}

} // namespace lc
