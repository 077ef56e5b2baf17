#pragma once
// Texts of our own that the language file does not hold (messages, the names
// a screen reader says for fields) in the interface's language: Russian when
// the language code is "RUS", English otherwise.
#include <QString>

#include "core/Settings.h"

namespace lc::ui {

inline QString InLanguage(const Settings& settings, const char* english, const char* russian) {
    return QString::fromUtf8(settings.LanguageCode == "RUS" ? russian : english);
}

} // namespace lc::ui
