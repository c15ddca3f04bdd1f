#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "platform/SettingsLocation.h"

namespace {

struct ProgramRoot {
    const char* variable;  // the environment variable naming the folder
    const char* below;     // the part below it, if any
};

// Where Windows keeps installed programs: for all users, and per user (where
// the installer puts the program, a folder its user may write).
constexpr ProgramRoot kProgramRoots[] = {
    {"ProgramFiles", ""},         {"ProgramFiles(x86)", ""}, {"ProgramW6432", ""},
    {"LOCALAPPDATA", "Programs"}, {"SystemRoot", ""},
};

QString comparable(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return QDir::fromNativeSeparators(canonical.isEmpty() ? path : canonical).toCaseFolded();
}

}  // namespace

bool isSystemProgramFolder(const QString& folder) {
    const QString path = comparable(folder);
    for (const ProgramRoot& root : kProgramRoots) {
        const QString value = qEnvironmentVariable(root.variable);
        if (value.isEmpty())
            continue;
        const QString rootPath = comparable(QDir(value).filePath(QLatin1String(root.below)));
        if (path == rootPath || path.startsWith(rootPath + QLatin1Char('/')))
            return true;
    }
    return false;
}
