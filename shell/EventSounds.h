#pragma once
// The five event sounds and the SoundEvents setting that switches each on.
#include <array>

namespace lc {

inline constexpr int kEventSoundCount = 5;
// File names (without ".wav") in the program's "sounds" folder, by bit 1, 2, 4, 8, 16.
inline constexpr std::array<const char*, kEventSoundCount> kEventSoundNames = {
    "SndChangeColor", "SndChangeNeedleNumber", "SndDataTransmitted", "SndAllDone", "SndChangeSettings"};
inline constexpr const char* kSoundsFolder = "sounds";

// The sound of event bit `event` (1, 2, 4, 8 or 16) when `soundEvents` has that
// bit: its index 0..4. Any other value, or a bit switched off: -1.
int EventSoundIndex(int event, int soundEvents);

} // namespace lc
