#pragma once
// The garment mask: the working outline turned through the gauge into the
// raster's mask (16 = inside the garment, 255 = outside), laid centred on the
// pattern width with the garment's lowest point on mask line 0 (design row r is
// mask line r). Also sets GarmentWidth and GarmentRows for the knitting run.
#include <cstdint>

#include "core/PatternRaster.h"
#include "garment/GarmentOutline.h"

namespace lc {

// Results of RasterizeMask (1 and 2 can come together).
enum GarmentMaskResult : int {
    kMaskBuilt = 0,
    kMaskTooWide = 1,
    kMaskTooLong = 2,
    kMaskTooBig = 3,
    kMaskNoPoints = 4,
    kMaskNoCurves = 8,
};

// r(mm / (10 * gauge)), a half to the even neighbour; gauge in cm per stitch
// (PixByX) or per row (PixByY). RangeError for a gauge that is not a positive
// number or a result beyond 32 bits.
int MmToStitches(int64_t mm, double pixByX);
int MmToRows(int64_t mm, double pixByY);

// Builds the mask of `garment` into gd.Mask. A gauge that is zero, negative or
// not a number cannot lay out any garment and gives kMaskTooBig; the mask is
// then untouched, like every other failure.
int RasterizeMask(const GarmentOutline& garment, PatternRaster& gd, double pixByX, double pixByY);

// What a failed build tells the outside; the Garment Shape page (garment/ui)
// implements it. The size errors are shown in a box with the caption "ERROR!"
// and the error icon, texts taken from the text table.
class IGarmentMaskMessages {
public:
    virtual ~IGarmentMaskMessages() = default;
    // result is kMaskTooWide, kMaskTooLong or kMaskTooBig.
    virtual void ShowGarmentSizeError(int result) = 0;
    // Garment mode is off again: the Drawing page releases its "Add Garment"
    // button (passed on through the main window's PageLinks).
    virtual void GarmentModeReleased() = 0;
};
// The English texts: "Garment is too wide!", "Garment is too long!", "Garment is too big!".
const char* GarmentSizeErrorText(int result);
inline constexpr const char* kGarmentErrorCaption = "ERROR!";

// Fills the mask with 16 (no restriction), builds it, and on failure reports a
// size failure through `messages` (may be null), switches GarmentMode off and
// tells `messages` GarmentModeReleased. Returns RasterizeMask's result.
int MakeMask(const GarmentOutline& garment, PatternRaster& gd, double pixByX, double pixByY,
              IGarmentMaskMessages* messages);
// The same on the global raster and gauge.
int MakeMask(const GarmentOutline& garment, IGarmentMaskMessages* messages);

} // namespace lc
