#pragma once

#include <QString>

#include "files/SettingsFile.h"

// Where the preferred print pattern, data.txt, lives.
//
// A program copied into a folder of its own (a portable program) keeps
// data.txt beside itself, as it always has. An installed program, whose folder
// the user cannot write, keeps it in the user's configuration folder instead,
// and until the user has saved one there it reads the data.txt shipped beside
// the program, if any.
class SettingsLocation {
  public:
    static constexpr const char* kFileName = "data.txt";

    // `programFolder` is the folder of the program file, `userFolder` the
    // user's configuration folder for this program.
    SettingsLocation(QString programFolder, QString userFolder);

    // The location of the running program: its own folder and
    // QStandardPaths::AppConfigLocation.
    static SettingsLocation forThisProgram();

    // The paths to read and to write now. When the user's folder is chosen for
    // writing it is created, so saving into it can succeed.
    SettingsPaths paths() const;

    const QString& programFolder() const { return programFolder_; }
    const QString& userFolder() const { return userFolder_; }

  private:
    QString programFolder_;
    QString userFolder_;
};

// The rule on its own: data.txt in `programFolder` when that folder can be
// written; otherwise written in `userFolder` and read from there, or from
// `programFolder` while `userFolder` holds none. Creates no folders.
SettingsPaths settingsPathsFor(const QString& programFolder, bool programFolderWritable,
                               const QString& userFolder);

// True when `folder` is one of the system's folders of installed programs,
// where data.txt never belongs even when the user may write there (the
// administrator; on Windows a per-user installation). One table per system:
// SettingsLocationPosix.cpp, SettingsLocationWindows.cpp.
bool isSystemProgramFolder(const QString& folder);

// True when a file can be created in `folder` (tried with a temporary file,
// so access rights, read-only media and the like all count), and the folder is
// not one of the system's program folders.
bool isWritableProgramFolder(const QString& folder);
