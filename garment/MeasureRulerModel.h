#pragma once
// The state and arithmetic of one measuring ruler of the Garment Shape page:
// how many pixels a millimetre takes (Scale), which millimetre lies at the
// ruler's start edge (StartPosition: the left edge of the horizontal ruler,
// the bottom edge of the vertical one) and which one the ruler labels 0
// (ZeroPosition). Positions along the ruler are pixels counted from the start
// edge; the vertical widget turns its top-down pixels into these.
#include <cstdint>
#include <vector>

namespace lc {

enum class LengthUnit { Centimetres, Inches };

// One tick: its pixel from the start edge, its value (millimetres in
// centimetre mode, 24ths of an inch in inch mode) and whether it is a long,
// labelled one. Label() is the number written beside a long tick.
struct MeasureTick {
    int Pixel = 0;
    int64_t Value = 0;
    bool Major = false;
    int64_t Label(LengthUnit unit) const { return unit == LengthUnit::Inches ? Value / 24 : Value / 10; }
};

class MeasureRulerModel {
public:
    // The zoom range of the outline editor, in pixels per millimetre.
    static constexpr double kMinScale = 0.01;
    static constexpr double kMaxScale = 25.0;

    double Scale() const { return scale_; }
    // A value that is not a positive number is refused (false, nothing
    // changes); others are kept to kMinScale..kMaxScale.
    bool SetScale(double scale);

    int32_t StartPosition = 0;
    int32_t ZeroPosition = 0;
    LengthUnit Units = LengthUnit::Centimetres;

    // The length at `pixel` (from the start edge) in centimetres, relative to the zero.
    double PixelToValue(int pixel) const;
    // Moves the start by round(pixels / Scale) millimetres.
    void ScrollBy(int pixels);
    // The zero goes to the millimetre at `pixel`.
    void SetZeroAt(int pixel);

    // The ticks from the start edge up to (not including) `length` pixels.
    // Centimetres: the minor step is the first of 1, 10, 100 ... mm that takes
    // at least 4 px, a long tick every 10 minor steps. Inches: the step is
    // 3.175 mm (1/8 inch) times a power of 4 that takes at least 10 px, a long
    // tick every 4 steps but at least every inch.
    std::vector<MeasureTick> Ticks(int length) const;

    // Grid lines of the outline editor's paint box, in pixels from the start
    // edge: the step is the first of 1, 10, 100 ... mm that takes at least
    // 5 px, and a line stands at every multiple of five steps from the zero.
    std::vector<int> GridLines(int length) const;

private:
    double scale_ = 5.0;
};

} // namespace lc
