#include "knitting/TechniqueAdapter.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/EditorState.h"
#include "core/Machine.h"
#include "core/PatternRaster.h"
#include "knitting/KnitMachine.h"
#include "knitting/KnitState.h"
#include "knitting/NeedleBedModel.h"
#include "knitting/Technique.h"

namespace lc {

namespace {
int toPass(uint32_t pass) { return pass > static_cast<uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(pass); }
} // namespace

int JacquardColors(int kind) {
    switch (kind) {
    case tkJacquard2C: return 2;
    case tkJacquard3C: return 3;
    case tkJacquard4C: return 4;
    default: return 0;
    }
}

TechniqueAdapter::TechniqueAdapter(KnitMachine& machine, KnitState& knitting, const PatternRaster& raster,
                                   const EditorState& editor)
    : machine_(machine), knitting_(knitting), raster_(raster), editor_(editor) {}

Technique* TechniqueAdapter::Current() const { return machine_.CurrentTechnique; }

int TechniqueAdapter::Kind() const { return Current() ? Current()->Kind : 0; }
int TechniqueAdapter::StartSide() const { return Current() ? Current()->StartSide : 0; }
int TechniqueAdapter::EdgeMode() const { return Current() ? Current()->EdgeMode : 0; }
int TechniqueAdapter::EdgeValue() const { return Current() ? Current()->EdgeValue : 0; }

int TechniqueAdapter::PassToRow(uint32_t pass) const {
    return Current() ? Current()->PassToRow(toPass(pass)) : toPass(pass);
}

uint32_t TechniqueAdapter::RowToPass(int row) const {
    const int p = Current() ? Current()->RowToPass(row) : row;
    return p < 0 ? 0u : static_cast<uint32_t>(p);
}

int64_t TechniqueAdapter::PassCount() const { return Current() ? Current()->PassCount() : -1; }

bool TechniqueAdapter::WorkDone(uint32_t counter) const {
    if (!Current()) return static_cast<int64_t>(counter) >= RowCount();
    return Current()->WorkDone(toPass(counter), RowCount());
}

void TechniqueAdapter::GetPassNeedles(uint32_t pass, uint8_t* bits) {
    if (Current()) Current()->GetPassNeedles(toPass(pass), bits);
}

bool TechniqueAdapter::GetPassEntry(uint32_t pass, uint8_t* bits) const {
    const PassEntry* e = Current() ? Current()->GetPassEntry(toPass(pass)) : nullptr;
    if (!e) return false;
    std::memcpy(bits, e->Bits.data(), kNeedleRowBytes);
    return true;
}

int TechniqueAdapter::CheckRow(int row) {
    const PatternRaster& g = raster_;
    if (!Current() || row < 0 || row >= g.Height || row >= g.Picture.height()) return 0;
    const int width = std::clamp(std::min(g.Width, g.Picture.width()), 0, INT_MAX);
    const uint8_t* line = g.Picture.line(g.LineOfRow(row));
    const int verdict = Current()->CheckRow(std::span<const uint8_t>(line, static_cast<size_t>(width)), row);
    // The pair rule's answer stands over the colour count; a row with more
    // colours than the technique takes must still be refused before the run.
    if (verdict == kRowPairBroken && knitting_.Rows[row].ColorCount > Current()->MaxColors) return kRowTooManyColors;
    return verdict;
}

void TechniqueAdapter::PrepareRun(int rowCounter) {
    ColourSeparation& separation = knitting_.Separation;
    separation.Build(raster_, editor_.GarmentMode);
    Technique* t = Current();
    if (!t) return;
    if (const int n = JacquardColors(t->Kind)) {
        separation.SpreadColors(n);
    } else if (t->Kind == tkFineLace) {
        // Cached on the pattern: rebuilt only when the lace cells changed since
        // the page was shown.
        t->Prepare();
        t->LoadRow(rowCounter);
    }
}

int TechniqueAdapter::RowCount() const { return knitting_.Rows.RowCount; }

int NeedleBedCams::LSPos() const { return bed_.LSPos; }
int NeedleBedCams::RSPos() const { return bed_.RSPos; }
void NeedleBedCams::SetCams(int left, int right) { bed_.SetCams(left, right); }

} // namespace lc
