#include "core/ui/PrivateFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace lc::ui {

namespace {
int g_fontId = -1;
QString g_family;
} // namespace

bool AddPrivateFont(const QString& fontFile) {
    RemovePrivateFont();
    const int id = QFontDatabase::addApplicationFont(fontFile);
    if (id < 0) return false;
    g_fontId = id;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    g_family = families.isEmpty() ? QString() : families.first();
    return true;
}

bool RemovePrivateFont() {
    if (g_fontId < 0) return false;
    const bool ok = QFontDatabase::removeApplicationFont(g_fontId);
    g_fontId = -1;
    g_family.clear();
    return ok;
}

QString PrivateFontFamily() { return g_family; }

} // namespace lc::ui
