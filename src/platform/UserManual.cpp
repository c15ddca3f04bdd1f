#include "platform/UserManual.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr const char* kInstalledManual = "../share/doc/tanahuda/manual/index.html";

QString installedManual() {
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(kInstalledManual));
}

}  // namespace

QString userManualPath() {
    const QString installed = installedManual();
    if (QFileInfo::exists(installed))
        return installed;
#ifdef TANAHUDA_SOURCE_MANUAL
    const QString source = QStringLiteral(TANAHUDA_SOURCE_MANUAL "/index.html");
    if (QFileInfo::exists(source))
        return source;
#endif
    return installed;
}

bool openUserManual() {
    const QString path = userManualPath();
    return QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
