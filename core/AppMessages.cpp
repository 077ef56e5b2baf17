#include "core/AppMessages.h"

namespace lc {

namespace {
IAppMessageSink* g_sink = nullptr;
}

void SetAppMessageSink(IAppMessageSink* sink) { g_sink = sink; }
IAppMessageSink* AppMessageSink() { return g_sink; }

intptr_t SendAppMessage(AppMsg msg, intptr_t wParam, intptr_t lParam) {
    return g_sink ? g_sink->appMessage(msg, wParam, lParam) : 0;
}

} // namespace lc
