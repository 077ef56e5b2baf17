#include "core/ui/CoreStartUp.h"

#include <QString>

#include "core/StartUp.h"
#include "core/ui/PrivateFont.h"

namespace lc::ui {

void AddCoreStartUpHooks(StartUpHooks& h) {
    h.addPrivateFont = [](const std::string& file) { return AddPrivateFont(QString::fromStdString(file)); };
    h.removePrivateFont = [] { return RemovePrivateFont(); };
}

} // namespace lc::ui
