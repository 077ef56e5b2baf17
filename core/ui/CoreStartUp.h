#pragma once
// The start-up steps the core's Qt layer provides (core/StartUp.h): the
// private symbol font.
namespace lc::ui {

void InstallCoreStartUpHooks();

} // namespace lc::ui
