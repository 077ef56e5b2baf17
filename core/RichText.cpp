#include "core/RichText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "core/Cp1251.h"
#include "core/Utf8.h"
#include "core/Errors.h"
#include "core/ModelFile.h"

namespace lc {

namespace {

constexpr const char* kTooLong = "The note is too long.";
constexpr int kMaxDepth = 200;         // deeper groups are skipped whole
constexpr int kDefaultHalfPoints = 24; // RTF's default size, 12 points
constexpr int kMaxHalfPoints = 3276;   // 1638 points, the largest a rich-text control takes

// Windows-1252 bytes 0x80..0x9F; the rest of the page is Latin-1.
constexpr char16_t k1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t fromCodePage(uint8_t b, int codePage) {
    if (b < 0x80) return b;
    if (codePage == 1252) return b < 0xA0 ? k1252[b - 0x80] : b;
    return Cp1251ToUnicode(b);
}

// The control words, a few to a line.
// clang-format off
enum class Word : uint8_t {
    Ansicpg, Deff, FontTable, ColorTable, SkipDest, F, FCharset, Red, Green, Blue, Fs, Cf, B, I,
    Ul, UlOn, UlNone, Plain, Pard, Ql, Qc, Qr, Par, Line, Tab, U, Uc, Bin, Char,
};
// clang-format on

struct WordInfo {
    Word word;
    char32_t ch = 0; // for Word::Char
};

struct WordEntry {
    std::string_view name;
    WordInfo info;
};

constexpr WordEntry kWords[] = {
    {"ansicpg", {Word::Ansicpg}},
    {"deff", {Word::Deff}},
    {"fonttbl", {Word::FontTable}},
    {"colortbl", {Word::ColorTable}},
    {"f", {Word::F}},
    {"fcharset", {Word::FCharset}},
    {"red", {Word::Red}},
    {"green", {Word::Green}},
    {"blue", {Word::Blue}},
    {"fs", {Word::Fs}},
    {"cf", {Word::Cf}},
    {"b", {Word::B}},
    {"i", {Word::I}},
    {"ul", {Word::Ul}},
    {"ulnone", {Word::UlNone}},
    {"plain", {Word::Plain}},
    {"pard", {Word::Pard}},
    {"ql", {Word::Ql}},
    {"qj", {Word::Ql}},
    {"qc", {Word::Qc}},
    {"qr", {Word::Qr}},
    {"par", {Word::Par}},
    {"sect", {Word::Par}},
    {"page", {Word::Par}},
    {"row", {Word::Par}},
    {"line", {Word::Line}},
    {"tab", {Word::Tab}},
    {"cell", {Word::Tab}},
    {"u", {Word::U}},
    {"uc", {Word::Uc}},
    {"bin", {Word::Bin}},
    {"emdash", {Word::Char, 0x2014}},
    {"endash", {Word::Char, 0x2013}},
    {"bullet", {Word::Char, 0x2022}},
    {"lquote", {Word::Char, 0x2018}},
    {"rquote", {Word::Char, 0x2019}},
    {"ldblquote", {Word::Char, 0x201C}},
    {"rdblquote", {Word::Char, 0x201D}},
    {"emspace", {Word::Char, 0x2003}},
    {"enspace", {Word::Char, 0x2002}},
    {"uld", {Word::UlOn}},
    {"uldb", {Word::UlOn}},
    {"ulw", {Word::UlOn}},
    {"ulwave", {Word::UlOn}},
    {"ulth", {Word::UlOn}},
    {"uldash", {Word::UlOn}},
    // Destinations whose text is not part of the note.
    {"stylesheet", {Word::SkipDest}},
    {"info", {Word::SkipDest}},
    {"pict", {Word::SkipDest}},
    {"object", {Word::SkipDest}},
    {"header", {Word::SkipDest}},
    {"headerl", {Word::SkipDest}},
    {"headerr", {Word::SkipDest}},
    {"headerf", {Word::SkipDest}},
    {"footer", {Word::SkipDest}},
    {"footerl", {Word::SkipDest}},
    {"footerr", {Word::SkipDest}},
    {"footerf", {Word::SkipDest}},
    {"footnote", {Word::SkipDest}},
    {"annotation", {Word::SkipDest}},
    {"fldinst", {Word::SkipDest}},
    {"nonshppict", {Word::SkipDest}},
    {"listtable", {Word::SkipDest}},
    {"listoverridetable", {Word::SkipDest}},
    {"revtbl", {Word::SkipDest}},
    {"rsidtbl", {Word::SkipDest}},
    {"xmlnstbl", {Word::SkipDest}},
    {"themedata", {Word::SkipDest}},
    {"colorschememapping", {Word::SkipDest}},
    {"latentstyles", {Word::SkipDest}},
    {"datastore", {Word::SkipDest}},
    {"generator", {Word::SkipDest}},
    {"filetbl", {Word::SkipDest}},
    {"xe", {Word::SkipDest}},
    {"tc", {Word::SkipDest}},
    {"txe", {Word::SkipDest}},
};

// The control word's meaning; null for a word the reader ignores.
const WordInfo* findWord(std::string_view name) {
    for (const WordEntry& e : kWords)
        if (e.name == name) return &e.info;
    return nullptr;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

class Reader {
public:
    explicit Reader(std::string_view s) : s_(s) {}

    RichDocument read() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n'))
            ++pos_;
        while (pos_ < s_.size()) {
            const char c = s_[pos_++];
            if (c == '{') {
                openGroup();
            } else if (c == '}') {
                if (closeGroup()) break; // the document's own group has ended
            } else if (c == '\\') {
                control();
            } else if (c != '\r' && c != '\n' && !stack_.empty()) {
                if (takeFallback()) continue;
                byte(static_cast<uint8_t>(c));
            }
        }
        if (!para_.Runs.empty()) doc_.Paragraphs.push_back(std::move(para_));
        return std::move(doc_);
    }

private:
    enum class Dest : uint8_t { Text, FontTable, ColorTable, Skip };
    struct State { // what a group's end restores
        Dest dest = Dest::Text;
        bool bold = false, italic = false, underline = false;
        int font = -1; // -1: the default font (\deff)
        int halfPoints = kDefaultHalfPoints;
        int color = 0;
        int uc = 1;
        RichAlign align = RichAlign::Left;
    };
    struct Font {
        std::string name;
        int codePage = 0; // 0: the document's
    };

    void openGroup() {
        skip_ = 0;
        if (overflow_ > 0 || stack_.size() >= static_cast<size_t>(kMaxDepth)) ++overflow_;
        else stack_.push_back(stack_.empty() ? State{} : stack_.back());
    }

    bool closeGroup() {
        skip_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return false;
        }
        if (stack_.empty()) return false;
        stack_.pop_back();
        dirty_ = true;
        return stack_.empty();
    }

    bool skipping() const { return overflow_ > 0 || stack_.empty() || stack_.back().dest == Dest::Skip; }

    // Characters that stand in for a \uN character are dropped.
    bool takeFallback() {
        if (skip_ == 0) return false;
        --skip_;
        return true;
    }

    int codePageOf(int font) const {
        const auto it = fonts_.find(font < 0 ? deff_ : font);
        return it != fonts_.end() && it->second.codePage ? it->second.codePage : codePage_;
    }

    void byte(uint8_t b) {
        if (skipping()) return;
        const State& st = stack_.back();
        const int font = st.dest == Dest::FontTable ? fontEntry_ : st.font;
        character(fromCodePage(b, codePageOf(font)));
    }

    void character(char32_t c) {
        high_ = 0;
        if (skipping()) return;
        State& st = stack_.back();
        if (st.dest == Dest::ColorTable) {
            if (c == ';') {
                colors_.push_back(rgb_);
                rgb_ = 0;
            }
        } else if (st.dest == Dest::FontTable) {
            if (!fontOpen_) return;
            Font& f = fonts_[fontEntry_];
            if (c == ';') fontOpen_ = false;
            else if (c >= 0x20 && !(c == ' ' && f.name.empty())) {
                std::string u;
                AppendUtf8(u, c);
                if (f.name.size() + u.size() <= kMaxRtfFontName) f.name += u;
            }
        } else if (c >= 0x20 || c == '\t' || c == '\n') {
            if (dirty_ || para_.Runs.empty()) {
                RichRun f = format(st);
                if (para_.Runs.empty() || !para_.Runs.back().SameFormat(f)) para_.Runs.push_back(std::move(f));
                dirty_ = false;
            }
            para_.Align = st.align;
            AppendUtf8(para_.Runs.back().Text, c);
        }
    }

    RichRun format(const State& st) const {
        RichRun r;
        r.Bold = st.bold;
        r.Italic = st.italic;
        r.Underline = st.underline;
        if (const auto it = fonts_.find(st.font < 0 ? deff_ : st.font); it != fonts_.end()) {
            std::string_view n = it->second.name;
            while (!n.empty() && n.back() == ' ') n.remove_suffix(1);
            r.Font = n;
        }
        r.Size = st.halfPoints / 2.0;
        r.Color = st.color >= 0 && static_cast<size_t>(st.color) < colors_.size() ? colors_[st.color] : 0;
        return r;
    }

    void endParagraph() {
        para_.Align = stack_.back().align;
        doc_.Paragraphs.push_back(std::move(para_));
        para_ = {};
        dirty_ = true;
    }

    void control() {
        if (pos_ >= s_.size()) return;
        const char c = s_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            if (c == '\'') return hexByte();
            if (takeFallback() || skipping()) return;
            switch (c) {
            case '\\':
            case '{':
            case '}': return character(static_cast<unsigned char>(c));
            case '~': return character(0xA0);
            case '_': return character(0x2011);
            case '*': stack_.back().dest = Dest::Skip; return;
            case '\r':
            case '\n':
                if (stack_.back().dest == Dest::Text) endParagraph();
                return;
            default: return;
            }
        }
        const size_t start = pos_;
        while (pos_ < s_.size() && isLetter(s_[pos_])) ++pos_;
        const std::string_view name = s_.substr(start, std::min<size_t>(pos_ - start, 32));
        bool hasParam = false;
        long long param = 0;
        const bool negative = pos_ + 1 < s_.size() && s_[pos_] == '-' && isDigit(s_[pos_ + 1]);
        if (negative) ++pos_;
        for (int digits = 0; pos_ < s_.size() && isDigit(s_[pos_]); ++pos_, ++digits) {
            hasParam = true;
            if (digits < 10) param = param * 10 + (s_[pos_] - '0');
        }
        param = std::clamp(negative ? -param : param, -2147483648LL, 2147483647LL);
        if (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
        const WordInfo* known = findWord(name);
        if (known && known->word == Word::Bin) {
            // Binary data is skipped unread, whatever group it is in.
            pos_ += static_cast<size_t>(std::clamp<long long>(param, 0, static_cast<long long>(s_.size() - pos_)));
            takeFallback();
            return;
        }
        if (takeFallback() || skipping() || !known) return;
        word(*known, hasParam, static_cast<int>(param));
    }

    void hexByte() {
        int v = 0;
        for (int k = 0; k < 2; ++k) {
            const char h = pos_ < s_.size() ? s_[pos_] : '\0';
            int d = -1;
            if (h >= '0' && h <= '9') d = h - '0';
            else if (h >= 'a' && h <= 'f') d = h - 'a' + 10;
            else if (h >= 'A' && h <= 'F') d = h - 'A' + 10;
            if (d < 0) return; // a broken escape stands for nothing
            v = v * 16 + d;
            ++pos_;
        }
        if (!takeFallback()) byte(static_cast<uint8_t>(v));
    }

    void word(WordInfo w, bool hasParam, int p) {
        State& st = stack_.back();
        const bool on = !hasParam || p != 0;
        if (w.word >= Word::F && w.word <= Word::Plain) dirty_ = true;
        const bool text = st.dest == Dest::Text;
        switch (w.word) {
        case Word::Ansicpg: codePage_ = p == 1252 ? 1252 : 1251; break;
        case Word::Deff: deff_ = p; break;
        case Word::FontTable: st.dest = Dest::FontTable; break;
        case Word::ColorTable:
            st.dest = Dest::ColorTable;
            rgb_ = 0;
            break;
        case Word::SkipDest: st.dest = Dest::Skip; break;
        case Word::F:
            if (st.dest == Dest::FontTable) {
                fontEntry_ = p;
                fonts_[p] = Font{};
                fontOpen_ = true;
            } else {
                st.font = p;
            }
            break;
        case Word::FCharset:
            if (st.dest == Dest::FontTable) fonts_[fontEntry_].codePage = p == 204 ? 1251 : p == 0 ? 1252 : 0;
            break;
        case Word::Red:
        case Word::Green:
        case Word::Blue:
            if (st.dest == Dest::ColorTable) {
                const int shift = w.word == Word::Red ? 0 : w.word == Word::Green ? 8 : 16;
                rgb_ = (rgb_ & ~(0xFFu << shift)) | (static_cast<uint32_t>(std::clamp(p, 0, 255)) << shift);
            }
            break;
        case Word::Fs: st.halfPoints = p <= 0 ? kDefaultHalfPoints : std::min(p, kMaxHalfPoints); break;
        case Word::Cf: st.color = p; break;
        case Word::B: st.bold = on; break;
        case Word::I: st.italic = on; break;
        case Word::Ul: st.underline = on; break;
        case Word::UlOn: st.underline = true; break;
        case Word::UlNone: st.underline = false; break;
        case Word::Plain:
            st.bold = st.italic = st.underline = false;
            st.font = -1;
            st.halfPoints = kDefaultHalfPoints;
            st.color = 0;
            break;
        case Word::Pard:
        case Word::Ql: st.align = RichAlign::Left; break;
        case Word::Qc: st.align = RichAlign::Center; break;
        case Word::Qr: st.align = RichAlign::Right; break;
        case Word::Par:
            if (text) endParagraph();
            break;
        case Word::Line:
            if (text) character('\n');
            break;
        case Word::Tab:
            if (text) character('\t');
            break;
        case Word::Char: character(w.ch); break;
        case Word::Uc: st.uc = std::clamp(p, 0, 16); break;
        case Word::U:
            if (hasParam) unicode(p);
            break;
        case Word::Bin: break;
        }
    }

    void unicode(int p) {
        // Written as a signed 16-bit number; a few writers put larger code points as they are.
        char32_t c = p >= -32768 && p < 0      ? static_cast<char32_t>(p + 65536)
                     : p >= 0 && p <= 0x10FFFF ? static_cast<char32_t>(p)
                                               : kReplacementChar;
        const int uc = stack_.back().uc;
        if (c >= 0xD800 && c <= 0xDBFF) {
            high_ = c; // waits for the low half
            skip_ = uc;
            return;
        }
        if (c >= 0xDC00 && c <= 0xDFFF)
            c = high_ ? 0x10000 + ((high_ - 0xD800) << 10) + (c - 0xDC00) : kReplacementChar;
        if (c != 0) character(c);
        skip_ = uc;
    }

    std::string_view s_;
    size_t pos_ = 0;
    std::vector<State> stack_;
    int overflow_ = 0;  // groups nested past kMaxDepth
    int skip_ = 0;      // fallback characters of a \uN still to drop
    char32_t high_ = 0; // a \uN high surrogate waiting for its low half
    int codePage_ = 1251;
    int deff_ = 0;
    std::map<int, Font> fonts_;
    int fontEntry_ = 0;
    bool fontOpen_ = false;
    std::vector<uint32_t> colors_;
    uint32_t rgb_ = 0;
    RichDocument doc_;
    RichParagraph para_;
    bool dirty_ = true; // the format may differ from the last run's
};

RichDocument readPlain(std::string_view s) {
    if (s.starts_with("\xEF\xBB\xBF")) s.remove_prefix(3);
    bool bad = false;
    for (size_t i = 0; i < s.size() && !bad;) NextUtf8(s, i, &bad);
    const std::string text = bad ? Cp1251ToUtf8(s) : std::string(s);
    RichDocument doc;
    RichParagraph para;
    auto end = [&] {
        doc.Paragraphs.push_back(std::move(para));
        para = {};
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            end();
        } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
            if (para.Runs.empty()) para.Runs.emplace_back();
            para.Runs.back().Text += c;
        }
    }
    if (!para.Runs.empty()) end();
    return doc;
}

// Text as RTF: ASCII as itself, the rest as Windows-1251 \'hh or \uN?.
void appendEscaped(std::string& out, std::string_view text, bool fontName) {
    char buf[16];
    for (size_t i = 0; i < text.size();) {
        const size_t at = i;
        const char32_t c = NextUtf8(text, i);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t' || c == '\n') {
            if (!fontName) out += c == '\t' ? "\\tab " : "\\line ";
        } else if (c < 0x20 || (fontName && c == ';')) {
            // control characters have no place in a note; ';' would end a font name
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const auto b = c == kReplacementChar ? std::nullopt : Utf8ToCp1251Strict(text.substr(at, i - at))) {
            std::snprintf(buf, sizeof buf, "\\'%02x", static_cast<uint8_t>((*b)[0]));
            out += buf;
        } else {
            auto unit = [&](char32_t u) {
                std::snprintf(buf, sizeof buf, "\\u%d?", u > 32767 ? static_cast<int>(u) - 65536 : static_cast<int>(u));
                out += buf;
            };
            if (c > 0xFFFF) {
                unit(0xD800 + ((c - 0x10000) >> 10));
                unit(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                unit(c);
            }
        }
    }
}

int halfPoints(double size) {
    if (!(size > 0)) return kDefaultHalfPoints;
    return static_cast<int>(std::lround(std::min(size * 2, static_cast<double>(kMaxHalfPoints))));
}

} // namespace

std::string RichDocument::PlainText() const {
    std::string out;
    for (size_t p = 0; p < Paragraphs.size(); ++p) {
        if (p > 0) out += '\n';
        for (const RichRun& r : Paragraphs[p].Runs) out += r.Text;
    }
    return out;
}

std::string WriteRtf(const RichDocument& doc) {
    std::vector<std::string> fonts;
    std::vector<uint32_t> colors; // black is the table's automatic colour 0
    for (const RichParagraph& p : doc.Paragraphs)
        for (const RichRun& r : p.Runs) {
            if (r.Text.empty()) continue;
            if (std::find(fonts.begin(), fonts.end(), r.Font) == fonts.end()) fonts.push_back(r.Font);
            const uint32_t c = r.Color & 0xFFFFFF;
            if (c != 0 && std::find(colors.begin(), colors.end(), c) == colors.end()) colors.push_back(c);
        }
    if (fonts.empty()) fonts.emplace_back();

    std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset204 ";
        appendEscaped(out, fonts[i], true);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (uint32_t c : colors)
        out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ";";
    out += "}\r\n\\viewkind4\\uc1";

    // The reader's state at the start, followed so only changes are written.
    size_t font = 0;
    int half = kDefaultHalfPoints;
    size_t color = 0;
    bool bold = false, italic = false, underline = false;
    for (const RichParagraph& p : doc.Paragraphs) {
        out += p.Align == RichAlign::Center ? "\\pard\\qc" : p.Align == RichAlign::Right ? "\\pard\\qr" : "\\pard";
        bool word = true; // a control word needs a space before text that follows it
        for (const RichRun& r : p.Runs) {
            if (r.Text.empty()) continue;
            auto set = [&](auto& cur, auto value, const std::string& control) {
                if (cur == value) return;
                cur = value;
                out += control;
                word = true;
            };
            const auto fi = static_cast<size_t>(std::find(fonts.begin(), fonts.end(), r.Font) - fonts.begin());
            set(font, fi, "\\f" + std::to_string(fi));
            set(half, halfPoints(r.Size), "\\fs" + std::to_string(halfPoints(r.Size)));
            const uint32_t c = r.Color & 0xFFFFFF;
            const size_t ci =
                c == 0 ? 0 : static_cast<size_t>(std::find(colors.begin(), colors.end(), c) - colors.begin()) + 1;
            set(color, ci, "\\cf" + std::to_string(ci));
            set(bold, r.Bold, r.Bold ? "\\b" : "\\b0");
            set(italic, r.Italic, r.Italic ? "\\i" : "\\i0");
            set(underline, r.Underline, r.Underline ? "\\ul" : "\\ulnone");
            if (word) out += ' ';
            word = false;
            appendEscaped(out, r.Text, false);
            if (out.size() > kMaxRtfBytes) throw RangeError(kTooLong);
        }
        out += "\\par\r\n";
    }
    out += "}";
    if (out.size() > kMaxRtfBytes) throw RangeError(kTooLong);
    return out;
}

RichDocument ReadRtf(std::string_view rtf) {
    if (rtf.size() > kMaxRtfBytes) throw FormatError(kTooLong);
    const size_t first = rtf.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || !rtf.substr(first).starts_with("{\\rtf")) return readPlain(rtf);
    return Reader(rtf).read();
}

// The note helpers of the model live here, beside the format they use.
int ModelFile::AddNote(uint16_t parentId, const std::string& name, const RichDocument& note) {
    const std::string rtf = WriteRtf(note);
    return AddNote(parentId, name, std::span(reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size()));
}

bool ModelFile::LoadNote(int index, RichDocument& note) const {
    if (index < 0 || index >= static_cast<int>(Items.size()) || Items[index].Kind != kItemNote) return false;
    const std::vector<uint8_t>& d = Items[index].Data;
    note = ReadRtf(std::string_view(reinterpret_cast<const char*>(d.data()), d.size()));
    return true;
}

} // namespace lc
