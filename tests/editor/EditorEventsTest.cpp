// The announcements as application messages for the main window's router.
#include <gtest/gtest.h>

#include <vector>

#include "core/AppMessages.h"
#include "editor/EditorInterfaces.h"

namespace lc {
namespace {

struct Sink : IAppMessageSink {
    std::vector<std::pair<AppMsg, intptr_t>> got;
    intptr_t appMessage(AppMsg m, intptr_t w, intptr_t) override {
        got.push_back({m, w});
        return 0;
    }
};

TEST(AppMessageEditorEvents, CarryTheirParametersInTwoHalves) {
    Sink sink;
    SetAppMessageSink(&sink);
    AppMessageEditorEvents e;
    e.showPosition(12, 300);
    e.showPosition(0, -1); // a captured drag below the pattern
    e.showBlockSize(4, 4);
    e.undoEnable();
    e.showColorInPalette(7);
    SetAppMessageSink(nullptr);
    ASSERT_EQ(sink.got.size(), 5u);
    EXPECT_EQ(sink.got[0], std::make_pair(AppMsg::ShowPosition, intptr_t((300 << 16) + 12)));
    EXPECT_EQ(static_cast<int16_t>(sink.got[1].second >> 16), -1);
    EXPECT_EQ(sink.got[2], std::make_pair(AppMsg::ShowBlockSize, intptr_t((4 << 16) + 4)));
    EXPECT_EQ(sink.got[3].first, AppMsg::DrawingUndoEnable);
    EXPECT_EQ(sink.got[4], std::make_pair(AppMsg::ShowColorInPalette, intptr_t(7)));
}

} // namespace
} // namespace lc
