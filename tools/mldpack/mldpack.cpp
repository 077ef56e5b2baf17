// mldpack: builds the language file "Loopcrafter.mld" from readable sources.
//
//   mldpack OUTPUT CODE=SOURCE [CODE=SOURCE ...]
//
// Each SOURCE is UTF-8 text, one "Name=Value" line per text; empty lines and
// lines starting with '#' are skipped. Sections are written in the order given.
//
// File layout (integers little-endian):
//   0    256  header (a signature, then zeros; the program does not read it)
//   256  256  key K, fresh random bytes on every run
//   512  256  directory, byte i stored as plain XOR K[i]: 32 entries of
//             {3-letter code, 0, u32 section size}; unused entries are zero
//   768  ...  the sections back to back, byte j of a section stored as
//             plain XOR K[j mod 256]
// Section text: Windows-1251 (the rule for text inside our binary files), each
// line ended by CR LF.
//
// The sources are checked so that a bad one fails the build instead of giving
// the program a broken file: every language has every key the program asks
// for, no name appears twice, and the technique names (which the program uses
// as identities) are distinct, free of '=' and at most 200 characters.
#include "core/Cp1251.h"
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 256;
constexpr std::size_t kKeySize = 256;
constexpr std::size_t kDirEntries = 32;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kMaxTechniqueNameChars = 200;

const std::vector<std::string> kTechniqueKeys = {
    "s02002", "s02003", "s02004", "s02006", "s02007", "s02008", "s02009", "s02010", "s02011",
    "s02012", "s02013", "s02014", "s02015", "s02016", "s02017", "s02018", "s02019",
};

std::vector<std::string> requiredKeys() {
    std::vector<std::string> keys = kTechniqueKeys;
    keys.push_back("S02000");
    keys.push_back("S02001");
    for (int i = 0; i <= 13; ++i) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "S030%02d", i);
        keys.push_back(buf);
    }
    return keys;
}

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Section text is Windows-1251; a character the code page lacks is refused.
std::string utf8ToSectionBytes(std::string_view s) {
    if (auto enc = lc::Utf8ToCp1251Strict(s)) return *enc;
    throw Failure("text has a character with no Windows-1251 code, or is not UTF-8");
}

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

struct Entry {
    std::string name;  // UTF-8, as in the source
    std::string value; // UTF-8, as in the source
    int line = 0;
};

std::size_t countChars(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// Reads and checks one source; returns the section's plain bytes.
std::string buildSection(const std::filesystem::path& source) {
    std::ifstream in(source, std::ios::binary);
    if (!in) throw Failure(source.string() + ": cannot be opened");
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);

    std::vector<Entry> entries;
    std::istringstream lines(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(lines, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto where = source.string() + ":" + std::to_string(lineNo) + ": ";
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0) throw Failure(where + "expected Name=Value");
        if (line.find('\0') != std::string::npos) throw Failure(where + "NUL byte in the text");
        Entry e{line.substr(0, eq), line.substr(eq + 1), lineNo};
        for (const Entry& other : entries)
            if (sameIgnoringAsciiCase(other.name, e.name))
                throw Failure(where + "name \"" + e.name + "\" already given on line " + std::to_string(other.line));
        entries.push_back(std::move(e));
    }

    auto find = [&](const std::string& key) -> const Entry* {
        for (const Entry& e : entries)
            if (sameIgnoringAsciiCase(e.name, key)) return &e;
        return nullptr;
    };
    for (const std::string& key : requiredKeys())
        if (!find(key)) throw Failure(source.string() + ": missing key " + key);

    std::map<std::string, const Entry*> techniqueNames;
    for (const std::string& key : kTechniqueKeys) {
        const Entry* e = find(key);
        const auto where = source.string() + ":" + std::to_string(e->line) + ": ";
        if (e->value.empty()) throw Failure(where + "empty technique name");
        if (e->value.find('=') != std::string::npos) throw Failure(where + "a technique name must not hold '='");
        if (countChars(e->value) > kMaxTechniqueNameChars)
            throw Failure(where + "technique name longer than 200 characters");
        const auto [it, fresh] = techniqueNames.emplace(e->value, e);
        if (!fresh)
            throw Failure(where + "same name \"" + e->value + "\" as line " + std::to_string(it->second->line) +
                          "; technique names must be distinct");
    }

    std::string section;
    for (const Entry& e : entries) {
        try {
            section += utf8ToSectionBytes(e.name + "=" + e.value);
        } catch (const Failure& f) {
            throw Failure(source.string() + ":" + std::to_string(e.line) + ": " + f.what());
        }
        section += "\r\n";
    }
    return section;
}

void putLe32(std::string& out, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
}

int run(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: mldpack OUTPUT CODE=SOURCE [CODE=SOURCE ...]\n";
        return 2;
    }
    const std::filesystem::path output = argv[1];
    if (std::size_t(argc - 2) > kDirEntries) throw Failure("at most 32 languages fit the directory");

    std::vector<std::pair<std::string, std::string>> sections; // code, plain bytes
    for (int a = 2; a < argc; ++a) {
        const std::string arg = argv[a];
        const auto eq = arg.find('=');
        const std::string code = arg.substr(0, eq);
        bool letters = code.size() == 3;
        for (const char c : code) letters = letters && c >= 'A' && c <= 'Z';
        if (eq == std::string::npos || !letters)
            throw Failure("language code \"" + code + "\" is not three capital letters (argument \"" + arg + "\")");
        for (const auto& s : sections)
            if (s.first == code) throw Failure("language code \"" + code + "\" given twice");
        std::string bytes = buildSection(arg.substr(eq + 1));
        if (bytes.size() > 0xFFFFFFFFu) throw Failure("section " + code + " is too large");
        sections.emplace_back(code, std::move(bytes));
    }

    std::string file(kHeaderSize + kKeySize + kDirEntries * kEntrySize, '\0');
    const std::string_view signature = "Loopcrafter language file\r\n\x1a";
    file.replace(0, signature.size(), signature);

    std::random_device rd;
    std::array<unsigned char, kKeySize> key{};
    for (auto& k : key) k = static_cast<unsigned char>(rd() & 0xFF);
    for (std::size_t i = 0; i < kKeySize; ++i) file[kHeaderSize + i] = static_cast<char>(key[i]);

    const std::size_t dirAt = kHeaderSize + kKeySize;
    for (std::size_t e = 0; e < sections.size(); ++e) {
        file.replace(dirAt + e * kEntrySize, 3, sections[e].first);
        putLe32(file, dirAt + e * kEntrySize + 4, static_cast<std::uint32_t>(sections[e].second.size()));
    }
    for (std::size_t i = 0; i < kDirEntries * kEntrySize; ++i)
        file[dirAt + i] = static_cast<char>(static_cast<unsigned char>(file[dirAt + i]) ^ key[i]);

    for (const auto& s : sections)
        for (std::size_t j = 0; j < s.second.size(); ++j)
            file.push_back(static_cast<char>(static_cast<unsigned char>(s.second[j]) ^ key[j % kKeySize]));

    // Written beside the target and renamed over it, so a failed run leaves
    // no half-written language file behind.
    std::filesystem::path temp = output;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
        out.close();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            throw Failure(output.string() + ": cannot be written");
        }
    }
    std::filesystem::rename(temp, output);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "mldpack: " << e.what() << "\n";
        return 1;
    }
}
