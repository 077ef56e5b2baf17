#pragma once
// Event sounds: the Link page marks what happens during knitting with a short
// sound. Each event is one bit, so that the SoundEvents setting can switch
// each of them on or off.
#include <cstdint>

namespace lc {

enum class EventSound : uint8_t {
    ColourChanged = 1,           // the next pass takes other yarns
    NeedleCountChanged = 2,      // the needles in work grow or shrink at this row
    PassSent = 4,                // a pass's needles went to the adapter
    WorkDoneOrCamError = 8,      // the last row is knitted, or the cams are out of order
    CarriageSettingChanged = 16, // the carriage must be set differently
};

// Where an event sound goes. The main window is the one player; the engine
// only names the event.
class EventSoundPlayer {
public:
    virtual ~EventSoundPlayer() = default;
    virtual void playEventSound(EventSound sound) = 0;
};

} // namespace lc
