#include "platform/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <utility>

namespace {

std::string nativePath(const QString& folder) {
    return QDir::toNativeSeparators(QDir(folder).filePath(SettingsLocation::kFileName))
        .toStdString();
}

}  // namespace

SettingsLocation::SettingsLocation(QString programFolder, QString userFolder)
    : programFolder_(std::move(programFolder)), userFolder_(std::move(userFolder)) {}

SettingsLocation SettingsLocation::forThisProgram() {
    return SettingsLocation(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

SettingsPaths SettingsLocation::paths() const {
    const bool portable = isWritableProgramFolder(programFolder_);
    if (!portable && !userFolder_.isEmpty())
        QDir().mkpath(userFolder_);
    return settingsPathsFor(programFolder_, portable, userFolder_);
}

SettingsPaths settingsPathsFor(const QString& programFolder, bool programFolderWritable,
                               const QString& userFolder) {
    const std::string programFile = nativePath(programFolder);
    // Without a user folder (no home at all) the program's own file is all
    // there is; a save there fails and says so.
    if (programFolderWritable || userFolder.isEmpty())
        return SettingsPaths{programFile, programFile};
    const std::string userFile = nativePath(userFolder);
    const bool userHasOne =
        QFileInfo::exists(QDir(userFolder).filePath(SettingsLocation::kFileName));
    return SettingsPaths{userHasOne ? userFile : programFile, userFile};
}

bool isWritableProgramFolder(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir() || isSystemProgramFolder(folder))
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tanahuda-write-test-XXXXXX")));
    return probe.open();  // removed again when `probe` goes
}
