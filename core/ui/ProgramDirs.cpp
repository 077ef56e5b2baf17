#include "core/ui/ProgramDirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace lc::ui {

namespace {
QString withSlash(QString dir) {
    if (!dir.isEmpty() && !dir.endsWith(u'/')) dir += u'/';
    return dir;
}
} // namespace

QString ProgramDir() {
    const QString fromEnv = qEnvironmentVariable("LC_PROGRAM_DIR");
    if (!fromEnv.isEmpty()) return withSlash(QDir(fromEnv).absolutePath());
    return withSlash(QCoreApplication::applicationDirPath());
}

QString UserWritableDir(const QString& programDir) {
    // Trying is the only sure test: permissions alone miss read-only mounts.
    if (!programDir.isEmpty()) {
        QTemporaryFile probe(withSlash(programDir) + QStringLiteral(".write-test-XXXXXX"));
        if (probe.open()) return withSlash(programDir);
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return withSlash(data);
}

void SetProgramLocation(ProgramPaths& paths) {
    const QString dir = ProgramDir();
    paths.AppDir = dir.toStdString();
    paths.ExeName = QCoreApplication::applicationFilePath().toStdString();
    const QString user = UserWritableDir(dir);
    paths.UserDir = user.toStdString();
    for (const char* sub : {"Patterns", "Palettes", "Models", "Garments", "Galleries"})
        QDir().mkpath(user + QLatin1String(sub));
}

} // namespace lc::ui
