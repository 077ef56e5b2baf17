#pragma once
// The start-up steps the core's Qt layer provides (core/StartUp.h): the
// private symbol font.
namespace lc {
struct StartUpHooks;
} // namespace lc

namespace lc::ui {

// Sets the private-font hooks of `hooks`.
void AddCoreStartUpHooks(StartUpHooks& hooks);

} // namespace lc::ui
