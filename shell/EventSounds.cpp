#include "shell/EventSounds.h"

namespace lc {

int EventSoundIndex(int event, int soundEvents) {
    for (int i = 0; i < kEventSoundCount; ++i)
        if (event == (1 << i)) return (soundEvents & event) ? i : -1;
    return -1;
}

} // namespace lc
