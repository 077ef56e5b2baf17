#pragma once
// Shared helpers of the knitting engine tests: a canvas that records what the
// instruction sheet draws and reads it back as lines, and a pattern builder that
// sets up a workspace's raster and the row table and separation the techniques read.
#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/Machine.h"
#include "core/PatternRaster.h"
#include "core/Workspace.h"
#include "knitting/ColourSeparation.h"
#include "knitting/KnitState.h"
#include "knitting/RowTable.h"
#include "knitting/SheetCanvas.h"
#include "knitting/Technique.h"

namespace lc::test {

class RecordingCanvas : public ISheetCanvas {
public:
    struct Fill {
        int l, t, r, b;
        Color color;
    };
    struct Text {
        int x, y;
        std::string text;
        int size;
        Color color;
        Fill cell; // the last rectangle filled before the text: the cell it stands in
    };
    std::vector<Fill> fills;
    std::vector<Text> texts;
    int size = 14;
    Color color = 0;

    void fillRect(int l, int t, int r, int b, Color c) override { fills.push_back({l, t, r, b, c}); }
    void drawText(int x, int y, std::string_view s) override {
        texts.push_back({x, y, std::string(s), size, color, fills.empty() ? Fill{} : fills.back()});
    }
    // A stand-in font: every character is 0.6 of the size wide, the size high.
    TextExtent textSize(std::string_view s) override { return {static_cast<int>(s.size()) * size * 6 / 10, size}; }
    void setFontSize(int s) override { size = s; }
    int fontSize() const override { return size; }
    void setFontColor(Color c) override { color = c; }
    Color fontColor() const override { return color; }
    void clear() {
        fills.clear();
        texts.clear();
    }
};

// One instruction line of the sheet read back from the recording.
struct SheetLine {
    int top = 0;
    int label = -1;
    Color labelColor = 0;
    std::string cells; // the cell letters across the columns, left to right
    std::string glyph; // a number line's centred text
    int glyphSize = 0;
};

// Lines below the column heads (top >= 89), in drawing order of their tops.
inline std::vector<SheetLine> sheetLines(const RecordingCanvas& c, int firstTop = 89) {
    std::map<int, SheetLine> byTop;
    std::map<int, std::vector<std::pair<int, std::string>>> cellsByTop;
    for (const auto& t : c.texts) {
        if (t.cell.t < firstTop) continue;
        SheetLine& l = byTop[t.cell.t];
        l.top = t.cell.t;
        if (t.cell.l == 0 && t.cell.r == 60) {
            l.label = std::stoi(t.text);
            l.labelColor = t.color;
        } else if (t.cell.r - t.cell.l == 30) {
            cellsByTop[t.cell.t].push_back({t.cell.l, t.text});
        } else {
            l.glyph = t.text;
            l.glyphSize = t.size;
        }
    }
    std::vector<SheetLine> out;
    for (auto& [top, l] : byTop) {
        auto& cells = cellsByTop[top];
        std::sort(cells.begin(), cells.end());
        for (auto& [x, s] : cells) l.cells += s;
        out.push_back(l);
    }
    return out;
}

// A line as text: its cell letters, or "#" and the centred text of a number line.
inline std::string lineText(const SheetLine& l) { return l.glyph.empty() ? l.cells : "#" + l.glyph; }

// The set-up lines `t` draws for its whole sheet, read off a fresh canvas.
inline std::vector<SheetLine> setupSheet(Technique& t) {
    RecordingCanvas cv;
    t.SetCanvas(&cv);
    t.DrawInstructionSheet();
    t.SetCanvas(nullptr);
    return sheetLines(cv);
}

// setupSheet as lineText lines.
inline std::vector<std::string> setupLines(Technique& t) {
    std::vector<std::string> out;
    for (const auto& l : setupSheet(t)) out.push_back(lineText(l));
    return out;
}

// The lines `t` draws for the row counter at `pass` as lineText lines (and
// their labels into `labels` when given), read off a fresh canvas.
inline std::vector<std::string> rowLines(Technique& t, int pass, std::vector<int>* labels = nullptr) {
    RecordingCanvas cv;
    t.SetCanvas(&cv);
    t.DrawInstructionRow(pass);
    t.SetCanvas(nullptr);
    std::vector<std::string> out;
    for (const auto& l : sheetLines(cv)) {
        out.push_back(lineText(l));
        if (labels) labels->push_back(l.label);
    }
    return out;
}

// A fresh workspace whose pattern is `width` x `height`, every cell colour
// `fill`, and a knitting state for techniques made with context(). Put cells
// with set() and call prepare() before asking a technique.
struct PatternFixture {
    explicit PatternFixture(int width = 200, int height = 1024, uint8_t fill = 0) {
        g.SetSize(width, height);
        for (int r = 0; r < height; ++r) std::fill_n(g.Picture.line(r), width, fill);
    }
    PatternFixture(const PatternFixture&) = delete;
    PatternFixture& operator=(const PatternFixture&) = delete;

    // What a technique made for this pattern reads (built-in English names).
    TechniqueContext context() { return TechniqueContext{g, knitting, {}}; }

    void set(int col, int row, uint8_t c) { g.Picture.line(g.LineOfRow(row))[col] = c; }
    void setRow(int row, uint8_t c) { std::fill_n(g.Picture.line(g.LineOfRow(row)), g.Width, c); }
    void setSpan(int row, int from, int to, uint8_t c) {
        for (int x = from; x <= to; ++x) set(x, row, c);
    }
    // The row table and the separation of the pattern, into `knitting`.
    void prepare(bool garment = false) {
        PreparationOptions o;
        o.GarmentMode = garment;
        Preparation(knitting.Rows, g, o);
        knitting.Separation.Build(g, garment);
    }

    Workspace ws;
    PatternRaster& g = ws.Raster;
    KnitState knitting;
};

inline std::set<int> needlesOf(const uint8_t* bits, int count = kMaxNeedles) {
    std::set<int> s;
    for (int n = 0; n < count; ++n)
        if (TestNeedleBit(bits, n)) s.insert(n);
    return s;
}

inline std::set<int> span(int from, int to) {
    std::set<int> s;
    for (int n = from; n <= to; ++n) s.insert(n);
    return s;
}

inline uint16_t colors(std::initializer_list<int> cs) {
    uint16_t m = 0;
    for (int c : cs) m |= static_cast<uint16_t>(0x8000u >> c);
    return m;
}

} // namespace lc::test
