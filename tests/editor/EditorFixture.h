#pragma once
// A 200 x 1024 pattern with a 17-colour palette of distinct colours, a canvas
// 800 x 600 pixels of 11-pixel cells at origin (0, 0), and recording fakes.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/EditorState.h"
#include "core/PatternRaster.h"
#include "editor/CanvasModel.h"
#include "editor/ToolEngine.h"

namespace lc::test {

struct RecordingEvents : IEditorEvents {
    int undoEnables = 0, undoDisables = 0, bobbins = 0, blockSizes = 0;
    int posCol = -1000, posRow = -1000, paletteIndex = -1, blockW = -1, blockH = -1;
    void makeBobbins() override { ++bobbins; }
    void undoDisable() override { ++undoDisables; }
    void undoEnable() override { ++undoEnables; }
    void showPosition(int c, int r) override { posCol = c, posRow = r; }
    void showColorInPalette(int i) override { paletteIndex = i; }
    void showBlockSize(int w, int h) override { ++blockSizes, blockW = w, blockH = h; }
};

struct RecordingScreen : IScreen {
    int paints = 0, cells = 0, overlays = 0, scrolls = 0;
    void paintAll() override { ++paints; }
    void drawCell(int, int) override { ++cells; }
    void overlayChanged() override { ++overlays; }
    void scrolled() override { ++scrolls; }
};

struct MemoryPatterns : IPatternSource {
    std::optional<PackedPattern> current;
    std::vector<uint8_t> bytes;
    // Packs rows of cells (row 0 first) two to a byte, high nibble first.
    void set(const std::vector<std::vector<uint8_t>>& rows) {
        const int h = static_cast<int>(rows.size()), w = h ? static_cast<int>(rows[0].size()) : 0;
        const int rb = (w + 1) / 2;
        bytes.assign(static_cast<size_t>(rb * h), 0);
        for (int j = 0; j < h; ++j)
            for (int x = 0; x < w; ++x)
                bytes[static_cast<size_t>(j * rb + x / 2)] |=
                    static_cast<uint8_t>((x & 1) ? rows[j][x] : rows[j][x] << 4);
        current = PackedPattern{w, h, bytes.data(), bytes.size()};
    }
    std::optional<PackedPattern> selectedPattern() override { return current; }
};

inline constexpr KeyMods kNone{};
inline constexpr KeyMods kShift{true, false};
inline constexpr KeyMods kCtrl{false, true};
inline constexpr MouseButton kLeft = MouseButton::Left;
inline constexpr MouseButton kRight = MouseButton::Right;

class EditorTest : public ::testing::Test {
protected:
    PatternRaster gd;
    EditorState state;
    RecordingEvents events;
    RecordingScreen screen;
    MemoryPatterns patterns;
    std::optional<CanvasModel> model;
    std::optional<ToolEngine> engine;

    void SetUp() override { setUpPattern(200, 1024); }

    void setUpPattern(int w, int h) {
        state = EditorState{};
        gd.SetSize(w, h);
        for (int i = 0; i < 16; ++i) gd.Colors[static_cast<size_t>(i)] = P256()[static_cast<size_t>(i)];
        gd.Colors[16] = RGB(250, 250, 250);
        gd.UpdatePalette(0);
        engine.reset();
        model.emplace(gd, state, &events, &screen);
        model->geom.Create(11, 11, 800, 600);
        model->Paint();
        engine.emplace(*model, &patterns);
    }

    int W() const { return gd.Width; }
    int H() const { return gd.Height; }
    uint8_t cell(int c, int r) const { return gd.CellAt(c, r); }
    void set(int c, int r, uint8_t v) { gd.Picture.line(H() - 1 - r)[c] = v; }
    void fillAll(uint8_t v) {
        for (int y = 0; y < H(); ++y) std::fill(gd.Picture.line(y), gd.Picture.line(y) + W(), v);
    }
    std::vector<uint8_t> snapshot() const {
        std::vector<uint8_t> s;
        for (int y = 0; y < H(); ++y) s.insert(s.end(), gd.Picture.line(y), gd.Picture.line(y) + W());
        return s;
    }
    // Every cell whose value differs from the snapshot, as (column, row).
    std::vector<std::pair<int, int>> changedCells(const std::vector<uint8_t>& before) const {
        std::vector<std::pair<int, int>> out;
        for (int y = 0; y < H(); ++y)
            for (int x = 0; x < W(); ++x)
                if (gd.Picture.line(y)[x] != before[static_cast<size_t>(y * W() + x)]) out.push_back({x, H() - 1 - y});
        return out;
    }
    // A pattern where every cell tells where it is: (column * 7 + row * 3) mod 16.
    static uint8_t marker(int c, int r) { return static_cast<uint8_t>((c * 7 + r * 3) & 15); }
    void fillMarkers() {
        for (int r = 0; r < H(); ++r)
            for (int c = 0; c < W(); ++c) set(c, r, marker(c, r));
    }

    void use(ToolCode tool) { engine->setTool(tool); }
    void click(int c, int r, MouseButton b = kLeft, KeyMods m = kNone) { engine->clickCell(b, m, c, r); }
    void drag(int c1, int r1, int c2, int r2, MouseButton b = kLeft, KeyMods m = kNone) {
        engine->dragCells(b, m, c1, r1, c2, r2);
    }
};

} // namespace lc::test
