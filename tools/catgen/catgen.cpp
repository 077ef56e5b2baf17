// Writes the garment catalogue from its readable table:
//   catgen <table> <output folder>
// The models fill the style and armhole ranges of the catalogue exactly; each
// model's pieces follow from its properties by the table's mapping. Every
// piece is drafted with every template and must be one closed outline inside
// +-5000 mm, and every piece must belong to some model, or nothing is written
// and the build fails.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Bytes.h"
#include "core/Cp1251.h"
#include "garment/CatalogueDetail.h"
#include "garment/CatalogueFilter.h"
#include "garment/GarmentCatalogue.h"
#include "garment/SizeTemplates.h"

namespace {

using namespace lc;

struct Failure {
    std::string message;
};

[[noreturn]] void fail(const std::string& m) { throw Failure{m}; }

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string cur;
    std::istringstream in(s);
    while (std::getline(in, cur, sep)) out.push_back(cur);
    if (!s.empty() && s.back() == sep) out.emplace_back();
    return out;
}

int number(const std::string& s, int lo, int hi, int line) {
    try {
        size_t used = 0;
        const int v = std::stoi(s, &used);
        if (used == s.size() && v >= lo && v <= hi) return v;
    } catch (...) {}
    fail("line " + std::to_string(line) + ": \"" + s + "\" is not a number from " + std::to_string(lo) + " to " +
         std::to_string(hi));
}

std::vector<int> numbers(const std::string& s, size_t count, int lo, int hi, int line) {
    const auto parts = split(s, ',');
    if (parts.size() != count) fail("line " + std::to_string(line) + ": expected " + std::to_string(count) + " values");
    std::vector<int> out;
    for (const auto& p : parts) out.push_back(number(p, lo, hi, line));
    return out;
}

struct Names {
    std::string English, Russian; // English ASCII, Russian Windows-1251
};

Names names(const std::string& en, const std::string& ru, size_t max, int line) {
    for (unsigned char c : en)
        if (c >= 0x80) fail("line " + std::to_string(line) + ": English names are plain ASCII");
    const auto cp = Utf8ToCp1251Strict(ru);
    if (!cp) fail("line " + std::to_string(line) + ": the Russian name has no Windows-1251 form");
    if (en.empty() || en.size() > max || cp->size() > max)
        fail("line " + std::to_string(line) + ": a name is empty or longer than " + std::to_string(max));
    return {en, *cp};
}

struct Piece {
    DetailRec Rec;
    Names Name;
};

// The body style codes of a garment kind. A whole front (units digit 0) is
// drawn on both halves; a one-sided front may instead cross over or overlap
// the other side when the neckline asks for it (0: the kind has no such front
// and keeps its plain one).
struct Style {
    int Back = 0, Front = 0, Crossing = 0, Overlap = 0;
};

// A neckline's code on a whole front and on a plain one-sided front, and,
// when not 0, on the crossing or overlapping front that a one-sided front
// becomes with this neckline where its garment kind has one.
struct Neckline {
    int Whole = 0, OneSided = 0, Crossing = 0, Overlap = 0;
};

bool wholeFront(int styleCode) { return styleCode % 10 == 0; }

struct Table {
    std::vector<SizeTemplate> EnglishTemplates, RussianTemplates;
    std::vector<Piece> Pieces{Piece{}}; // record 0 is never used
    std::map<std::string, Names> PieceNames;
    std::map<int, Style> Styles;
    std::map<int, int> Armholes;
    std::map<int, Neckline> Necklines;
    std::map<int, std::array<int, 3>> UnderFronts;             // by crossing style: style, armhole, neckline
    std::map<std::pair<int, int>, std::array<int, 3>> Sleeves; // by (kind, length)
    std::map<int, std::array<int, 3>> Pockets;
    std::map<int, std::pair<std::array<int, 3>, Names>> Collars;
};

Table readTable(const std::string& path) {
    std::ifstream in(path);
    if (!in) fail("cannot open " + path);
    Table t;
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        if (text.empty() || text[0] == '#') continue;
        const auto f = split(text, '|');
        const std::string& k = f[0];
        auto need = [&](size_t n) {
            if (f.size() != n) fail("line " + std::to_string(line) + ": expected " + std::to_string(n) + " fields");
        };
        if (k == "template") {
            need(5);
            const Names n = names(f[1], f[2], kTemplateNameMax, line);
            SizeTemplate s;
            s.Kind = number(f[3], 1, 4, line);
            const auto v = numbers(f[4], kBodyFieldCount, 1, 999, line);
            std::copy(v.begin(), v.end(), s.Values.begin());
            s.Name = n.English;
            t.EnglishTemplates.push_back(s);
            s.Name = n.Russian;
            t.RussianTemplates.push_back(s);
        } else if (k == "detail") {
            need(6);
            const auto b = numbers(f[3], 3, 0, 255, line), s = numbers(f[4], 3, 0, 255, line),
                       c = numbers(f[5], 3, 0, 255, line);
            DetailRec r;
            r.Style = b[0], r.Armhole = b[1], r.Neckline = b[2];
            r.Sleeve1 = s[0], r.Sleeve2 = s[1], r.Sleeve3 = s[2];
            r.Collar1 = c[0], r.Collar2 = c[1], r.Collar3 = c[2];
            t.Pieces.push_back({r, names(f[1], f[2], kDetailNameRecord - 1, line)});
        } else if (k == "name") {
            need(4);
            t.PieceNames[f[1]] = names(f[2], f[3], kDetailNameRecord - 1, line);
        } else if (k == "style") {
            need(6);
            Style st{number(f[2], 10, 39, line), number(f[3], 10, 39, line), number(f[4], 0, 39, line),
                     number(f[5], 0, 39, line)};
            if ((wholeFront(st.Front) && (st.Crossing != 0 || st.Overlap != 0)) ||
                (st.Crossing != 0 && wholeFront(st.Crossing)) || (st.Overlap != 0 && wholeFront(st.Overlap)))
                fail("line " + std::to_string(line) + ": only a one-sided front has crossing or overlapping fronts");
            t.Styles[number(f[1], 1, 6, line)] = st;
        } else if (k == "armhole") {
            need(3);
            t.Armholes[number(f[1], 1, 5, line)] = number(f[2], 5, 40, line);
        } else if (k == "neckline") {
            need(6);
            t.Necklines[number(f[1], 1, 21, line)] = {number(f[2], 10, 50, line), number(f[3], 10, 50, line),
                                                      number(f[4], 0, 50, line), number(f[5], 0, 50, line)};
        } else if (k == "underfront") {
            need(3);
            const auto c = numbers(f[2], 3, 0, 255, line);
            t.UnderFronts[number(f[1], 11, 39, line)] = {c[0], c[1], c[2]};
        } else if (k == "sleeve") {
            need(4);
            const auto c = numbers(f[3], 3, 0, 255, line);
            t.Sleeves[{number(f[1], 1, 7, line), number(f[2], 1, 4, line)}] = {c[0], c[1], c[2]};
        } else if (k == "collar") {
            need(5);
            const auto c = numbers(f[2], 3, 0, 255, line);
            t.Collars[number(f[1], 1, 13, line)] = {{c[0], c[1], c[2]}, names(f[3], f[4], kDetailNameRecord - 1, line)};
        } else if (k == "pocket") {
            need(3);
            const auto c = numbers(f[2], 3, 0, 255, line);
            t.Pockets[number(f[1], 1, 3, line)] = {c[0], c[1], c[2]};
        } else {
            fail("line " + std::to_string(line) + ": unknown kind of line \"" + k + "\"");
        }
    }
    if (t.Styles.size() != 6 || t.Armholes.size() != 5 || t.Necklines.size() != 21 || t.Collars.size() != 13 ||
        t.Pockets.size() != 3)
        fail("the table must map every style, armhole, neckline, collar and pocket value");
    for (const char* n : {"back", "front", "rightfront", "crossingfront", "underfront", "sleeve", "pocket"})
        if (!t.PieceNames.count(n)) fail(std::string("the table has no name for the ") + n + " piece");
    for (int kind = 1; kind <= 4; ++kind)
        if (std::none_of(t.EnglishTemplates.begin(), t.EnglishTemplates.end(),
                         [&](const SizeTemplate& s) { return s.Kind == kind; }))
            fail("the table needs a size template of every kind");
    return t;
}

// The piece number of these codes and name, added when new.
uint16_t pieceFor(Table& t, DetailRec r, const Names& n) {
    for (size_t i = 1; i < t.Pieces.size(); ++i)
        if (t.Pieces[i].Rec == r && t.Pieces[i].Name.English == n.English) return static_cast<uint16_t>(i);
    t.Pieces.push_back({r, n});
    if (t.Pieces.size() > 0xFFFF) fail("too many pieces");
    return static_cast<uint16_t>(t.Pieces.size() - 1);
}

DetailRec collarRec(const std::array<int, 3>& c) {
    DetailRec r;
    r.Collar1 = c[0], r.Collar2 = c[1], r.Collar3 = c[2];
    return r;
}

// The pieces of a model with these properties.
std::array<uint16_t, kPiecesPerModel> modelPieces(Table& t, uint32_t code) {
    const int style = FieldValue(code, CatalogueField::Style), arm = FieldValue(code, CatalogueField::Armhole);
    const int neck = FieldValue(code, CatalogueField::Neckline);
    const int length = FieldValue(code, CatalogueField::SleeveLength),
              kind = FieldValue(code, CatalogueField::SleeveKind);
    const int collar = FieldValue(code, CatalogueField::Collar), pocket = FieldValue(code, CatalogueField::Pocket);
    std::array<uint16_t, kPiecesPerModel> out{};
    int n = 0;

    const Style& st = t.Styles.at(style);
    const Neckline& nk = t.Necklines.at(neck);
    int backStyle = st.Back, frontStyle = st.Front;
    int frontNeck = wholeFront(st.Front) ? nk.Whole : nk.OneSided;
    std::string frontName = wholeFront(st.Front) ? "front" : "rightfront";
    int armCode = t.Armholes.at(arm);
    // A crossing front's slanted edge needs a shaped armhole: with the fully
    // fashioned one the front stays plain.
    if (nk.Crossing != 0 && st.Crossing != 0 && armCode != 5)
        frontStyle = st.Crossing, frontNeck = nk.Crossing, frontName = "crossingfront";
    else if (nk.Overlap != 0 && st.Overlap != 0) frontStyle = st.Overlap, frontNeck = nk.Overlap;
    if (armCode == 5) {
        // The fully fashioned armhole has no ease: the narrowest family.
        backStyle = 10;
        frontStyle = 10 + frontStyle % 10;
    } else {
        armCode += backStyle / 10 - 1; // the ease of the style family
    }
    DetailRec back;
    back.Style = backStyle, back.Armhole = armCode, back.Neckline = 10;
    out[n++] = pieceFor(t, back, t.PieceNames.at("back"));
    DetailRec front = back;
    front.Style = frontStyle, front.Neckline = frontNeck;
    out[n++] = pieceFor(t, front, t.PieceNames.at(frontName));
    if (const auto under = t.UnderFronts.find(frontStyle); under != t.UnderFronts.end()) {
        DetailRec u;
        u.Style = under->second[0], u.Armhole = under->second[1], u.Neckline = under->second[2];
        out[n++] = pieceFor(t, u, t.PieceNames.at("underfront"));
    }

    const auto sleeve = t.Sleeves.find({kind, length});
    if (sleeve == t.Sleeves.end())
        fail("the table has no sleeve of kind " + std::to_string(kind) + " and length " + std::to_string(length));
    if (sleeve->second[0] != 0) {
        DetailRec s;
        s.Sleeve1 = sleeve->second[0], s.Sleeve2 = sleeve->second[1], s.Sleeve3 = sleeve->second[2];
        out[n++] = pieceFor(t, s, t.PieceNames.at("sleeve"));
    }
    const auto& c = t.Collars.at(collar);
    out[n++] = pieceFor(t, collarRec(c.first), c.second);
    out[n++] = pieceFor(t, collarRec(t.Pockets.at(pocket)), t.PieceNames.at("pocket"));
    return out;
}

// The models: each style and armhole range filled by cycling through the
// allowed property values with different strides, so that every value shows
// up and every range offers several necklines.
std::vector<uint32_t> modelCodes() {
    std::vector<std::pair<int, int>> sleeves; // (length, kind)
    for (int length : {1, 3, 4})
        for (int kind = 1; kind <= 6; ++kind) sleeves.emplace_back(length, kind);
    sleeves.emplace_back(2, 7);
    std::vector<uint32_t> codes(kCatalogueRecords);
    int rangeNo = 0;
    for (int style = 1; style <= 6; ++style) {
        for (int arm = 1; arm <= 5; ++arm) {
            const RecordRange r = StyleArmholeRange(style, arm);
            if (!r.Exists()) continue;
            ++rangeNo;
            std::vector<uint32_t> range;
            for (int i = 0; i <= r.Last - r.First; ++i) {
                const int neck = 1 + (i + rangeNo) % 21;
                const auto [length, kind] = sleeves[static_cast<size_t>(i * 7 + i / 21 + rangeNo) % sleeves.size()];
                const int collar = 1 + (i * 5 + i / 13 + rangeNo) % 13;
                const int pocket = 1 + (i + i / 3 + rangeNo) % 3;
                range.push_back(static_cast<uint32_t>(style) << 28 | static_cast<uint32_t>(arm) << 24 |
                                static_cast<uint32_t>(neck) << 16 | static_cast<uint32_t>(length) << 12 |
                                static_cast<uint32_t>(kind) << 8 | static_cast<uint32_t>(collar) << 4 |
                                static_cast<uint32_t>(pocket));
            }
            std::sort(range.begin(), range.end());
            std::copy(range.begin(), range.end(), codes.begin() + r.First);
        }
    }
    return codes;
}

std::string describe(const DetailRec& r) {
    char b[96];
    std::snprintf(b, sizeof b, "(%d,%d,%d | %d,%d,%d | %d,%d,%d)", r.Style, r.Armhole, r.Neckline, r.Sleeve1, r.Sleeve2,
                  r.Sleeve3, r.Collar1, r.Collar2, r.Collar3);
    return b;
}

// Every piece with every template: one closed outline, bounded.
void verify(const Table& t) {
    for (size_t d = 1; d < t.Pieces.size(); ++d) {
        for (const SizeTemplate& s : t.EnglishTemplates) {
            GarmentOutline g;
            const std::string what = "piece " + std::to_string(d) + " " + describe(t.Pieces[d].Rec) + " with " + s.Name;
            try {
                BuildCatalogueDetail(g, t.Pieces[d].Rec, BodySize::FromCentimetres(s.Values));
            } catch (const std::exception& e) {
                fail(what + ": " + e.what());
            }
            if (g.PointCount() < 3) fail(what + ": draws no outline");
            std::vector<int> degree(static_cast<size_t>(g.PointCount()));
            for (const GarmentCurve& c : g.Curves()) ++degree[c.StartPoint], ++degree[c.EndPoint];
            for (int i = 0; i < g.PointCount(); ++i)
                if (degree[static_cast<size_t>(i)] != 2)
                    fail(what + ": point (" + std::to_string(g.Point(i).X) + "," + std::to_string(g.Point(i).Y) +
                         ") is on " + std::to_string(degree[static_cast<size_t>(i)]) + " curves, not 2");
            // One loop, not several.
            int p = 0, prevCurve = -1, steps = 0;
            do {
                int next = -1;
                for (int c = 0; c < g.CurveCount(); ++c) {
                    const GarmentCurve& cv = g.Curve(c);
                    if (c != prevCurve && (cv.StartPoint == p || cv.EndPoint == p)) {
                        next = c;
                        break;
                    }
                }
                prevCurve = next;
                p = g.Curve(next).StartPoint == p ? g.Curve(next).EndPoint : g.Curve(next).StartPoint;
                ++steps;
            } while (p != 0 && steps <= g.CurveCount());
            if (steps != g.CurveCount()) fail(what + ": the outline is more than one loop");
            const GarmentBounds b = g.Bounds();
            if (std::max({std::abs(b.MinX), std::abs(b.MaxX), std::abs(b.MinY), std::abs(b.MaxY)}) > 5000)
                fail(what + ": a coordinate lies beyond 5000 mm");
        }
    }
}

std::vector<uint8_t> nameRecords(const Table& t, bool russian) {
    ByteWriter w;
    for (const Piece& p : t.Pieces) {
        const std::string& n = russian ? p.Name.Russian : p.Name.English;
        w.u8(static_cast<uint8_t>(n.size()));
        w.bytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(n.data()), n.size()));
        w.zeros(kDetailNameRecord - 1 - n.size());
    }
    return std::move(w.buffer());
}

void run(const std::string& tablePath, const std::filesystem::path& out) {
    Table t = readTable(tablePath);
    const std::vector<uint32_t> codes = modelCodes();

    // Every value of every property occurs, and each range offers at least
    // two necklines.
    for (int f = 2; f < kCatalogueFieldCount; ++f) {
        const auto field = static_cast<CatalogueField>(f);
        for (int v = 1; v <= FieldMaximum(field); ++v)
            if (std::none_of(codes.begin(), codes.end(), [&](uint32_t c) { return FieldValue(c, field) == v; }))
                fail("no model has value " + std::to_string(v) + " of property " + std::to_string(f));
    }

    ByteWriter ic, pieces;
    std::vector<bool> used;
    for (size_t i = 0; i < codes.size(); ++i) {
        ic.u16(static_cast<uint16_t>(i + 1));
        ic.u16(0);
        ic.u32(codes[i]);
        for (uint16_t d : modelPieces(t, codes[i])) {
            pieces.u16(d);
            if (d >= used.size()) used.resize(d + 1u);
            used[d] = true;
        }
    }
    // A piece no model lists is never drafted by the program: a mapping slip.
    used.resize(t.Pieces.size());
    for (size_t d = 1; d < t.Pieces.size(); ++d)
        if (!used[d])
            fail("piece " + std::to_string(d) + " " + t.Pieces[d].Name.English + " " + describe(t.Pieces[d].Rec) +
                 " belongs to no model");
    verify(t);

    ByteWriter det, siz;
    for (const Piece& p : t.Pieces) {
        const auto b = p.Rec.Bytes();
        det.bytes(b);
    }
    for (const SizeTemplate& s : t.EnglishTemplates) siz.bytes(BodySize::FromCentimetres(s.Values).Record());

    // The catalogue as the program will read it must load.
    std::filesystem::create_directories(out);
    WriteFileAtomic(out / kCatalogueFileName, ic.buffer());
    WriteFileAtomic(out / kModelPiecesFileName, pieces.buffer());
    WriteFileAtomic(out / kDetailsFileName, det.buffer());
    WriteFileAtomic(out / (std::string(kDetailNamesPrefix) + "ENG"), nameRecords(t, false));
    WriteFileAtomic(out / (std::string(kDetailNamesPrefix) + "RUS"), nameRecords(t, true));
    WriteFileAtomic(out / ShippedTemplatesName("ENG"), TemplatesBytes(t.EnglishTemplates));
    WriteFileAtomic(out / ShippedTemplatesName("RUS"), TemplatesBytes(t.RussianTemplates));
    WriteFileAtomic(out / kSizesFileName, siz.buffer());
    GarmentCatalogue check;
    check.Load(out, "RUS");
    check.Load(out, "ENG");
    std::printf("catgen: %d models, %zu pieces, %zu size templates\n", kCatalogueRecords, t.Pieces.size() - 1,
                t.EnglishTemplates.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: catgen <catalogue table> <output folder>\n");
        return 2;
    }
    try {
        run(argv[1], argv[2]);
    } catch (const Failure& f) {
        std::fprintf(stderr, "catgen: %s: %s\n", argv[1], f.message.c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "catgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
