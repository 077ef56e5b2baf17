// Random gestures of every tool on a small pattern: none may fault (the
// sanitizer build watches for writes outside the raster), none may write into
// the protected zone, and undo of the step a gesture pushed must give back the
// picture exactly as it was.
#include <random>

#include "EditorFixture.h"

namespace lc::test {
namespace {

using GestureRobustness = EditorTest;

TEST_F(GestureRobustness, EveryGestureIsUndoneWhole) {
    setUpPattern(37, 61);
    model->geom.Create(5, 7, 120, 150);
    std::mt19937 rng(20240611);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int r = 0; r < H(); ++r)
        for (int c = 0; c < W(); ++c) set(c, r, static_cast<uint8_t>(pick(0, 5)));
    patterns.set({{1, 2, 3}, {4, 5, 6}});
    gd.Colors[5] = gd.Colors[2]; // a duplicate colour

    for (int i = 0; i < 4000; ++i) {
        engine->setTool(static_cast<ToolCode>(pick(398, 434)));
        state.BrushSize = static_cast<uint8_t>(pick(0, 3));
        state.ColorA = static_cast<uint8_t>(pick(0, 6));
        state.ColorB = static_cast<uint8_t>(pick(0, 6));
        state.StarVertices = static_cast<uint8_t>(pick(3, 12));
        state.StarDepth = static_cast<uint8_t>(pick(1, 9));
        state.ZoneOn = pick(0, 2) == 0;
        state.ZoneRow = pick(-1, H() + 3);
        if (pick(0, 20) == 0) model->SetOrigin(pick(-5, 40), pick(-5, 70));
        if (pick(0, 30) == 0)
            patterns.current = PackedPattern{pick(0, 5), pick(0, 5), patterns.bytes.data(), patterns.bytes.size()};
        const MouseButton b = pick(0, 1) ? kLeft : kRight;
        const KeyMods m{pick(0, 3) == 0, pick(0, 3) == 0};

        const auto before = snapshot();
        const int zoneTop = model->zoneTop();
        const int pushes = events.undoEnables;
        engine->pressCell(b, m, pick(-8, W() + 8), pick(-8, H() + 8));
        for (int k = pick(0, 4); k > 0; --k) engine->moveCell(m, pick(-8, W() + 8), pick(-8, H() + 8));
        engine->releaseCell(b, m, pick(-8, W() + 8), pick(-8, H() + 8));
        ASSERT_FALSE(engine->pressed());
        // The zone keeps its cells, except under the row forms of brush and eraser.
        const bool rowForm = m.ctrl && (engine->tool() == toolBrush || engine->tool() == toolMagicEraser);
        if (!rowForm) {
            for (auto [c, r] : changedCells(before)) ASSERT_GT(r, zoneTop) << "tool " << engine->tool();
        }
        if (events.undoEnables > pushes) {
            ASSERT_EQ(events.undoEnables, pushes + 1) << "tool " << engine->tool();
            model->UndoLast();
        }
        ASSERT_TRUE(changedCells(before).empty()) << "tool " << engine->tool() << " gesture " << i;
        // Now and then keep a gesture, so later ones work on varied content.
        if (pick(0, 3) == 0) {
            engine->pressCell(kLeft, kNone, pick(0, W() - 1), pick(0, H() - 1));
            engine->releaseCell(kLeft, kNone, pick(0, W() - 1), pick(0, H() - 1));
        }
    }
}

} // namespace
} // namespace lc::test
