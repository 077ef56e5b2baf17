#include <gtest/gtest.h>

#include "core/GraphicData.h"

using namespace lc;

TEST(GraphicData, SetSizeClearsPictureAndSizesAllBitmaps) {
    TLCGraphicData g;
    g.SetSize(200, 1024);
    for (const IndexedBitmap* b : {&g.Picture, &g.Mask, &g.Backup}) {
        EXPECT_EQ(b->width(), 200);
        EXPECT_EQ(b->height(), 1024);
    }
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 200; ++x) ASSERT_EQ(g.Picture.line(y)[x], 0);
}
