#include <QFileInfo>

#include "platform/SettingsLocation.h"

bool isSystemProgramFolder(const QString& folder) {
    const QString path = QFileInfo(folder).canonicalFilePath();
    static const char* const kSystemFolders[] = {"/bin",           "/sbin",      "/usr/bin",
                                                 "/usr/sbin",      "/usr/games", "/usr/local/bin",
                                                 "/usr/local/sbin"};
    for (const char* system : kSystemFolders) {
        if (path == QLatin1String(system))
            return true;
    }
    return false;
}
