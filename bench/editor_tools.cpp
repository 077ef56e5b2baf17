// Drawing tools on a full 250 x 1024 pattern, one gesture per iteration
// (undo saving included), and the grid repaint at the smallest and largest zoom.
#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "core/EditorState.h"
#include "core/PatternRaster.h"
#include "editor/CanvasModel.h"
#include "editor/CanvasRenderer.h"
#include "editor/ToolEngine.h"

namespace {

using namespace lc;

struct TiledPattern : IPatternSource {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(4 * 7, 0x12);
    std::optional<PackedPattern> selectedPattern() override { return PackedPattern{7, 7, bytes.data(), bytes.size()}; }
};

struct Bench {
    PatternRaster gd;
    EditorState state;
    TiledPattern patterns;
    std::optional<CanvasModel> model;
    std::optional<ToolEngine> engine;

    Bench() {
        gd.SetSize(250, 1024);
        for (int i = 0; i < 16; ++i) gd.Colors[static_cast<size_t>(i)] = P256()[static_cast<size_t>(i)];
        gd.Colors[16] = RGB(250, 250, 250);
        gd.UpdatePalette(0);
        model.emplace(gd, state);
        model->geom.Create(11, 11, 1600, 1000);
        engine.emplace(*model, &patterns);
        for (int y = 0; y < 1024; ++y)
            for (int x = 0; x < 250; ++x) gd.Picture.line(y)[x] = static_cast<uint8_t>((x / 9 + y / 13) % 3);
    }
    void uniform(uint8_t v) {
        for (int y = 0; y < 1024; ++y) std::fill(gd.Picture.line(y), gd.Picture.line(y) + 250, v);
    }
};

void BM_FloodFillWholeRegion(benchmark::State& st) {
    Bench b;
    b.uniform(0);
    b.state.ColorA = 1;
    b.state.ColorB = 0;
    bool flip = false;
    for (auto _ : st) {
        // Alternate the colours so every fill paints the whole raster.
        b.state.ColorA = flip ? 0 : 1;
        flip = !flip;
        b.model->FloodFillAt(10, 10, true);
    }
}
BENCHMARK(BM_FloodFillWholeRegion)->Unit(benchmark::kMicrosecond);

void BM_Tool(benchmark::State& st, ToolCode tool, int c1, int r1, int c2, int r2, MouseButton button, KeyMods mods,
             uint8_t brush) {
    Bench b;
    b.engine->setTool(tool);
    b.state.BrushSize = brush;
    if (tool == toolPasteBlock) {
        b.engine->setTool(toolCopyBlock);
        b.engine->dragCells(MouseButton::Left, {}, 0, 0, 250, 1024);
        b.engine->setTool(tool);
    }
    for (auto _ : st) {
        b.engine->dragCells(button, mods, c1, r1, c2, r2);
        benchmark::DoNotOptimize(b.gd.Picture.data());
    }
}

constexpr MouseButton L = MouseButton::Left;
constexpr MouseButton R = MouseButton::Right;
BENCHMARK_CAPTURE(BM_Tool, fill_replace_chess, toolFill, 0, 0, 0, 0, L, KeyMods{true, false}, 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, brush_row, toolBrush, 0, 0, 249, 1023, L, KeyMods{false, true}, 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, vsymmetry, toolVSymmetry, 0, 0, 249, 1023, L, KeyMods{}, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, hsymmetry, toolHSymmetry, 0, 0, 249, 1022, L, KeyMods{}, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, hscale_block, toolHScale, 0, 0, 249, 1023, L, KeyMods{}, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, vscale_block, toolVScale, 0, 0, 249, 1023, L, KeyMods{}, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, rotate_block, toolRotate, 0, 0, 249, 1023, L, KeyMods{}, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, cloning, toolCloning, 0, 0, 6, 6, L, KeyMods{}, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, vreflection, toolVReflection, 100, 0, 100, 1023, L, KeyMods{}, 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, hreflection, toolHReflection, 0, 0, 249, 511, L, KeyMods{}, 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, insert_rows, toolRows, 0, 0, 0, 0, L, KeyMods{}, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, delete_columns, toolColumns, 0, 0, 0, 0, R, KeyMods{}, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, copy_block, toolCopyBlock, 0, 0, 250, 1024, L, KeyMods{}, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, paste_stretch, toolPasteBlock, 0, 0, 250, 1024, L, KeyMods{}, 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, cut_block, toolCutBlock, 0, 0, 250, 1024, L, KeyMods{}, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, move, toolMove, 10, 10, 117, 611, L, KeyMods{}, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, line, toolLine, 0, 0, 249, 1023, L, KeyMods{}, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, filled_rectangle, toolFilledRectangle, 0, 0, 249, 1023, L, KeyMods{}, 2)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, circle, toolCircle, 0, 0, 250, 1024, L, KeyMods{}, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, filled_circle, toolFilledCircle, 0, 0, 250, 1024, L, KeyMods{}, 2)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, filled_star, toolFilledStar, 0, 0, 249, 1023, L, KeyMods{}, 2)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Tool, paste_pattern_tiled, toolPastePattern, 0, 0, 0, 0, R, KeyMods{}, 0)
    ->Unit(benchmark::kMicrosecond);

// The fill tool over one area covering the whole pattern (undo saving included).
void BM_FillToolWholePattern(benchmark::State& st) {
    Bench b;
    b.engine->setTool(toolFill);
    b.state.BrushSize = static_cast<uint8_t>(st.range(0));
    b.state.ColorA = 1;
    b.state.ColorB = 2;
    for (auto _ : st) {
        st.PauseTiming();
        b.uniform(0);
        st.ResumeTiming();
        b.engine->clickCell(MouseButton::Left, {}, 100, 500);
    }
}
BENCHMARK(BM_FillToolWholePattern)->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

// The whole-pattern eraser, every cell swapped each time.
void BM_EraserWholePattern(benchmark::State& st) {
    Bench b;
    b.engine->setTool(toolMagicEraser);
    b.state.ColorA = 1;
    b.state.ColorB = 0;
    bool left = true;
    for (auto _ : st) {
        b.engine->clickCell(left ? MouseButton::Left : MouseButton::Right, {true, false}, 5, 5);
        left = !left;
    }
}
BENCHMARK(BM_EraserWholePattern)->Unit(benchmark::kMicrosecond);

void BM_Undo(benchmark::State& st) {
    Bench b;
    b.engine->setTool(toolMove);
    for (auto _ : st) {
        st.PauseTiming();
        b.engine->dragCells(MouseButton::Left, {}, 0, 0, 3, 3);
        st.ResumeTiming();
        b.model->UndoLast();
    }
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMicrosecond);

void BM_Render(benchmark::State& st) {
    Bench b;
    const int zoom = static_cast<int>(st.range(0));
    const int w = 1600, h = 1000;
    b.model->geom.Create(CellWidths[static_cast<size_t>(zoom)], CellWidths[static_cast<size_t>(zoom)], w, h);
    b.model->geom.UpdateForPaint(250);
    std::vector<uint32_t> px(static_cast<size_t>(w * h));
    CanvasRenderer r;
    r.setColours(b.gd);
    const RenderOptions opt;
    for (auto _ : st) {
        r.render(b.model->geom, b.gd, opt, {px.data(), w, h, w});
        benchmark::DoNotOptimize(px.data());
    }
}
BENCHMARK(BM_Render)->Arg(0)->Arg(10)->Unit(benchmark::kMicrosecond);

} // namespace
