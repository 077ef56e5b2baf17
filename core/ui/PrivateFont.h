#pragma once
// The private symbol font "Loopcraft.ttf" beside the program, added to the
// application's fonts at start-up and removed at shut-down.
#include <QString>

namespace lc::ui {

// Adds the font file; false (and nothing changes) when it is missing or not a font.
bool AddPrivateFont(const QString& fontFile);
// Removes the font added last; false when none is added.
bool RemovePrivateFont();
// The family of the added font, empty when none is added.
QString PrivateFontFamily();

} // namespace lc::ui
