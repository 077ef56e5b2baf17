// The editor engine's announcements reach its page with their numbers whole.
#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "editor/ToolCodes.h"

namespace lc::test {
namespace {

using EditorEvents = EditorTest;

TEST_F(EditorEvents, CarryCellsOutsideThePatternAsNegativeNumbers) {
    use(toolCopyBlock);
    // 11-pixel cells on a 600-pixel-high view: y 595 is row 0.
    engine->MouseDown(kLeft, kNone, 60, 595);
    engine->MouseMove(kNone, 16, 540);
    EXPECT_EQ(events.posCol, 2);
    EXPECT_EQ(events.posRow, 6);
    EXPECT_EQ(events.blockW, 4);
    EXPECT_EQ(events.blockH, 5);
    // A drag captured left of and below the pattern.
    engine->MouseMove(kNone, -30, 650);
    EXPECT_EQ(events.posCol, -1);
    EXPECT_EQ(events.posRow, -3);
    engine->MouseUp(kLeft, kNone, -30, 650);
}

} // namespace
} // namespace lc::test
