#pragma once
// Binds the knitting run to the machine's current technique, the knitting
// state (row table, colour separation), the pattern and the needle bed: the
// run sees only IPassSource and ICamSource (KnitRunTypes.h).
#include <cstdint>

#include "knitting/KnitRunTypes.h"

namespace lc {

class KnitMachine;
class Technique;
class NeedleBedModel;
class PatternRaster;
struct EditorState;
struct KnitState;

// The current technique of a machine panel, looked up at every call, so a
// change of technique between runs needs no rebinding. Without a technique
// every pass is empty and every row accepted.
class TechniqueAdapter : public IPassSource {
public:
    // `raster` is the pattern knitted, `editor` says whether its garment is laid.
    TechniqueAdapter(KnitMachine& machine, KnitState& knitting, const PatternRaster& raster, const EditorState& editor);

    int Kind() const override;
    int StartSide() const override;
    int EdgeMode() const override;
    int EdgeValue() const override;
    // Passes beyond the technique's int range map like the last one it has.
    int PassToRow(uint32_t pass) const override;
    uint32_t RowToPass(int row) const override;
    int64_t PassCount() const override;
    bool WorkDone(uint32_t counter) const override;
    void GetPassNeedles(uint32_t pass, uint8_t* bits) override;
    bool GetPassEntry(uint32_t pass, uint8_t* bits) const override;
    // The picture line of design row `row` judged by the technique; a row
    // outside the pattern is accepted, a row with too many colours refused
    // even where a rule on row pairs answers first.
    int CheckRow(int row) override;
    // Separates every design row again, then by kind: the jacquards spread the
    // colours to 2, 3 or 4 a row; fine lace makes sure its pass table is that
    // of this separation and loads the row.
    void PrepareRun(int rowCounter) override;
    int RowCount() const override;

    Technique* Current() const;

private:
    KnitMachine& machine_;
    KnitState& knitting_;
    const PatternRaster& raster_;
    const EditorState& editor_;
};

// The needle bed's point cams for the run.
class NeedleBedCams : public ICamSource {
public:
    explicit NeedleBedCams(NeedleBedModel& bed) : bed_(bed) {}
    int LSPos() const override;
    int RSPos() const override;
    void SetCams(int left, int right) override;

private:
    NeedleBedModel& bed_;
};

// Colours every row of a jacquard of this kind holds after spreading (0 for
// any other kind).
int JacquardColors(int kind);

} // namespace lc
