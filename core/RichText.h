#pragma once
// A formatted note: paragraphs of runs of text that share one character
// format. Model files keep notes as RTF documents, the way rich-text editors
// stream them out, so that notes travel between this program and files written
// elsewhere. WriteRtf and ReadRtf cover the part of RTF a note uses: fonts,
// sizes, colours, bold, italic, underline, paragraph alignment and any Unicode
// text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lc {

enum class RichAlign : uint8_t { Left, Center, Right };

struct RichRun {
    std::string Text; // UTF-8; '\t' a tab, '\n' a line break inside the paragraph
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    std::string Font;   // empty: the editor's default font
    double Size = 12;   // points
    uint32_t Color = 0; // 0x00BBGGRR

    bool SameFormat(const RichRun& o) const {
        return Bold == o.Bold && Italic == o.Italic && Underline == o.Underline && Font == o.Font && Size == o.Size &&
               Color == o.Color;
    }
    bool operator==(const RichRun&) const = default;
};

struct RichParagraph {
    RichAlign Align = RichAlign::Left;
    std::vector<RichRun> Runs;
    bool operator==(const RichParagraph&) const = default;
};

struct RichDocument {
    std::vector<RichParagraph> Paragraphs;

    std::string PlainText() const; // the paragraphs' text, joined by '\n'
    bool operator==(const RichDocument&) const = default;
};

// The longest note either direction handles; a longer one is refused with a
// message instead of being stored where it could not be read back.
inline constexpr size_t kMaxRtfBytes = size_t{8} << 20;
// Font names are cut to this many bytes (real font names are at most 31
// characters long).
inline constexpr size_t kMaxRtfFontName = 100;

// A complete RTF document ("{\rtf1\ansi\ansicpg1251..."), plain ASCII: text
// outside ASCII is written as Windows-1251 \'hh where the code page has the
// character and as \uN? otherwise. Empty runs are left out. Throws RangeError
// when the result would be longer than kMaxRtfBytes.
std::string WriteRtf(const RichDocument& doc);

// Reads RTF written by this program or by other word processors, keeping the
// formatting above and skipping everything else (pictures, styles, document
// information...). Damaged input gives what could be read; it never crashes or
// hangs. Text that is not RTF becomes plain paragraphs (UTF-8, or
// Windows-1251 when it is not valid UTF-8). Adjacent text of one format forms
// one run; no run is empty. Throws FormatError when longer than kMaxRtfBytes.
RichDocument ReadRtf(std::string_view rtf);

} // namespace lc
