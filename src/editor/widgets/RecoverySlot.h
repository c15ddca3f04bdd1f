#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

// The input window's recovery file in a folder shared by every copy of the
// program, and the files that copies no longer running left there.
//
// Each window takes a file of its own, named after its process and the moment
// it started, and holds the lock file beside it for as long as it lives, so
// two running copies never write or offer the same file. A lock whose process
// is gone (killed, crashed, power lost) is stale: its file is left over work.
class RecoverySlot {
  public:
    explicit RecoverySlot(const QString& folder);
    ~RecoverySlot();
    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    // The user's data folder for recovery files (QStandardPaths::AppDataLocation).
    static QString folderForThisProgram();

    // False when the folder or the lock could not be made (yet).
    bool ok() const { return ok_; }
    // Makes the folder and takes the lock when that failed before (a folder
    // made writable, a disk given room); true when the slot is ok.
    bool retake();
    // This window's recovery file; empty when there is no folder for one.
    const QString& path() const { return path_; }

    // The recovery files whose program is gone, newest first (not those set
    // aside as unreadable). Each stays
    // locked for this window until released, so no other copy offers it too.
    QStringList claimLeftovers();
    // Gives up the locks of the files claimLeftovers returned.
    void releaseLeftovers();

  private:
    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    std::map<QString, std::unique_ptr<QLockFile>> claimed_;
    bool ok_ = false;
};
