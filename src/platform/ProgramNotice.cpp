#include "platform/ProgramNotice.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr const char* kInstalledNotice = "../share/doc/tanahuda/NOTICE.txt";

}  // namespace

QString programNoticePath() {
    const QString installed =
        QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(kInstalledNotice));
    if (QFileInfo::exists(installed))
        return installed;
#ifdef TANAHUDA_BUILT_NOTICE
    if (QFileInfo::exists(QStringLiteral(TANAHUDA_BUILT_NOTICE)))
        return QStringLiteral(TANAHUDA_BUILT_NOTICE);
#endif
    return installed;
}

bool openProgramNotice() {
    const QString path = programNoticePath();
    return QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
