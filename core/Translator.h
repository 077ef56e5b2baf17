#pragma once
// The language file "Loopcrafter.mld" beside the program: one section of
// Name=Value lines per language, kept scrambled with a key stored in the file.
//
// Layout (integers little-endian):
//   0    256 bytes  header, not read
//   256  256 bytes  key K
//   512  256 bytes  directory, byte i stored as plain XOR K[i]:
//                   32 entries of {3-byte language code, 1 unused byte, u32 size}
//   768  ...        the sections back to back in directory order; byte j of a
//                   section is stored as plain XOR K[j mod 256]
//
// Section text is Windows-1251 with CR LF line breaks (LF or a lone CR is
// accepted too); in memory the lines are UTF-8.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lc {

inline constexpr const char* kLanguageFileName = "Loopcrafter.mld";
inline constexpr int kLanguageHeaderSize = 256;
inline constexpr int kLanguageKeySize = 256;
inline constexpr int kLanguageDirEntries = 32;
inline constexpr int kLanguageDirEntrySize = 8;
inline constexpr int kLanguageDirSize = kLanguageDirEntries * kLanguageDirEntrySize;
inline constexpr int kLanguageSectionsStart = kLanguageHeaderSize + kLanguageKeySize + kLanguageDirSize; // 768
// No language section comes near this; a bigger one means a damaged file.
inline constexpr std::uint32_t kMaxLanguageSectionSize = 16u * 1024u * 1024u;

class Translator {
public:
    enum class LoadResult {
        Loaded,    // the section replaced Strings
        NoSection, // the file has no section for the code; Strings unchanged (see LastError)
        Failed,    // the file is missing, unreadable or damaged; Strings unchanged (see LastError)
    };

    Translator();

    std::string FileName;
    std::vector<std::string> Strings;                       // the lines of the loaded section (UTF-8)
    std::array<std::uint8_t, kLanguageDirSize> Directory{}; // unscrambled, of the last file read
    std::array<std::uint8_t, kLanguageKeySize> Key{};       // of the last file read

    void SetFileName(std::string path) { FileName = std::move(path); }

    // Loads the section whose three-letter code equals the first three letters
    // of `code` (exact case). Never throws for a bad file: start-up carries on
    // with whatever Strings held, and the reason is kept in LastError().
    LoadResult LoadLanguage(std::string_view code);

    // The value of the first line whose name (the text before its first '=')
    // equals `key`, ASCII letter case ignored; empty when there is none.
    std::string Translate(std::string_view key) const;

    const std::string& LastError() const { return lastError_; }

private:
    std::string lastError_;
};

// The seventeen technique name keys, in the order the machine creates the techniques.
inline constexpr std::array<std::string_view, 17> kTechniqueNameKeys = {
    "s02002", "s02003", "s02004", "s02006", "s02007", "s02008", "s02009", "s02010", "s02011",
    "s02012", "s02013", "s02014", "s02015", "s02016", "s02017", "s02018", "s02019",
};

// The names of the seventeen techniques from the translator. Techniques are
// told apart by name, so the result is always 17 distinct non-empty names
// without '=': a missing or unusable name falls back to its built-in English
// one, and when that still leaves a clash every name falls back.
std::array<std::string, 17> TechniqueNames(const Translator& translator);

// The name for one key of kTechniqueNameKeys (empty for any other key).
std::string TechniqueName(std::string_view key, const Translator& translator);

} // namespace lc
