// Drawing the grid into a pixel buffer.
#include <vector>

#include "EditorFixture.h"
#include "editor/CanvasRenderer.h"

namespace lc::test {
namespace {

class CanvasRendering : public EditorTest {
protected:
    CanvasRenderer r;
    std::vector<uint32_t> px;
    PixelBuffer buf;
    RenderOptions opt;

    void layout(int zoom, int w, int h) {
        model->geom.Create(CellWidths[static_cast<size_t>(zoom)], CellWidths[static_cast<size_t>(zoom)], w, h);
        model->geom.UpdateForPaint(W());
        px.assign(static_cast<size_t>(w * h), 0x12345678u);
        buf = {px.data(), w, h, w};
        r.setColours(gd);
    }
    void render() { r.render(model->geom, gd, opt, buf); }
    uint32_t at(int x, int y) const { return px[static_cast<size_t>(y * buf.stride + x)]; }
    uint32_t colour(int i) const { return ArgbOf(gd.Colors[static_cast<size_t>(i)]); }
};

TEST_F(CanvasRendering, NarrowPatternLeavesTheRestInColourZero) {
    setUpPattern(150, 1024);
    fillAll(5);
    layout(0, 800, 300);
    render();
    EXPECT_EQ(at(1, 298), colour(5));
    EXPECT_EQ(at(450, 10), 0xFF000000u); // the last column's right border
    for (int x = 451; x < 800; ++x) {
        EXPECT_EQ(at(x, 298), colour(0)) << x;
        EXPECT_EQ(at(x, 300 - 3), 0xFF000000u); // horizontal grid lines run the whole width
    }
    EXPECT_EQ(at(3, 298), 0xFF000000u);
}

TEST_F(CanvasRendering, ViewModeNeedsSixPixelCells) {
    fillAll(2);
    set(0, 0, 16);
    opt.viewMode = true;
    std::vector<std::vector<uint32_t>> tiles(16);
    StitchTiles st;
    for (int z : {1, 2}) {
        const int cw = CellWidths[static_cast<size_t>(z)];
        for (int i = 0; i < 16; ++i) {
            tiles[static_cast<size_t>(i)].assign(static_cast<size_t>(cw * cw), 0xFF000100u + i);
            st.tile[static_cast<size_t>(i)] = tiles[static_cast<size_t>(i)].data();
        }
        st.width = st.height = cw;
        opt.tiles = &st;
        layout(z, 300, 200);
        render();
        if (z == 1) {
            EXPECT_EQ(at(1, 198), colour(16)); // flat colour with grid lines
            EXPECT_EQ(at(5, 100), 0xFF000000u);
        } else {
            EXPECT_EQ(at(1, 198), 0xFF000100u); // index 16 shows stitch picture 0
            EXPECT_EQ(at(8, 198), 0xFF000102u);
            EXPECT_EQ(at(7, 198), 0xFF000102u); // no grid line
        }
    }
}

TEST_F(CanvasRendering, GarmentGreyAndZoneTint) {
    gd.Colors[3] = RGB(255, 255, 255);
    gd.UpdatePalette(0);
    fillAll(3);
    layout(4, 220, 220);
    opt.garmentMode = true;
    render();
    EXPECT_EQ(at(5, 215), colour(3));                                 // the whole mask inside: no grey
    gd.Mask.line(gd.Mask.height() - 1 - (H() - 1))[0] = kMaskOutside; // design row 0, column 0
    render();
    EXPECT_EQ(at(5, 215), 0xFFD5D5D5u);
    EXPECT_EQ(at(16, 215), colour(3));
    opt.zoneOn = true;
    opt.zoneRow = 0;
    render();
    EXPECT_EQ(at(16, 215), ArgbOf(gd.ZoneColors[3]));
    EXPECT_EQ(at(16, 204), colour(3));
}

TEST_F(CanvasRendering, OriginBelowThePatternAndStrayBytes) {
    fillAll(4);
    set(1, 0, 200); // not a palette index
    layout(4, 220, 220);
    model->SetOrigin(0, -1);
    model->geom.UpdateForPaint(W());
    render();
    EXPECT_EQ(at(5, 215), colour(0)); // the bottom screen row is blank
    EXPECT_EQ(at(5, 204), colour(4));
    EXPECT_EQ(at(16, 204), colour(0));
}

TEST_F(CanvasRendering, MachineFrameAndSingleCells) {
    layout(0, 800, 600);
    opt.frameMode = 1;
    opt.frameWidth = 0;
    opt.frameRows = 10;
    render();
    EXPECT_EQ(at(300, 590), 0xFFFFFF00u); // one line at the middle column (100 * 3)
    EXPECT_EQ(at(300, 570), 0xFFFFFF00u);
    EXPECT_NE(at(300, 560), 0xFFFFFF00u);
    // A single cell carries its own border, the zone's tint inside.
    set(2, 0, 6);
    opt.zoneOn = true;
    opt.zoneRow = 0;
    r.renderCell(model->geom, gd, opt, buf, 2, 0);
    EXPECT_EQ(at(7, 598), ArgbOf(gd.ZoneColors[6]));
    EXPECT_EQ(at(6, 598), 0xFF000000u);
    EXPECT_EQ(at(9, 598), 0xFF000000u);
    const std::vector<uint32_t> shown = px;
    r.renderCell(model->geom, gd, opt, buf, -5, 4000); // outside the pattern: nothing is drawn
    r.renderCell(model->geom, gd, opt, buf, 200, 0);
    EXPECT_EQ(px, shown);
}

} // namespace
} // namespace lc::test
