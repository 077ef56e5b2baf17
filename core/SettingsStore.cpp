#include "core/SettingsStore.h"

namespace lc {

namespace {
MemorySettingsStore& fallbackStore() {
    static MemorySettingsStore s;
    return s;
}
ISettingsStore* g_store = nullptr;
} // namespace

ISettingsStore& settingsStore() { return g_store ? *g_store : fallbackStore(); }
void setSettingsStore(ISettingsStore* store) { g_store = store; }

} // namespace lc
