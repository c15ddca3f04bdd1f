#include "editor/widgets/RecoverySlot.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "editor/logic/RecoveryFile.h"

namespace {

const QString kSuffix = QStringLiteral(".csv");

QString lockPathOf(const QString& path) {
    return path.left(path.size() - kSuffix.size()) + QStringLiteral(".lock");
}

// A lock is taken over only when its process is gone, however old it is: a
// window may stay open for days.
std::unique_ptr<QLockFile> lockFor(const QString& path) {
    auto lock = std::make_unique<QLockFile>(lockPathOf(path));
    lock->setStaleLockTime(0);
    return lock;
}

}  // namespace

RecoverySlot::RecoverySlot(const QString& folder) : folder_(folder) {
    if (folder.isEmpty()) {
        return;
    }
    // The process and the moment: a later process given the same number
    // never takes this file for its own.
    path_ = QDir(folder).filePath(QStringLiteral("recovery-%1-%2%3")
                                      .arg(QCoreApplication::applicationPid())
                                      .arg(QDateTime::currentMSecsSinceEpoch())
                                      .arg(kSuffix));
    retake();
}

bool RecoverySlot::retake() {
    if (ok_ || path_.isEmpty() || !QDir().mkpath(folder_)) {
        return ok_;
    }
    lock_ = lockFor(path_);
    ok_ = lock_->tryLock(0);
    return ok_;
}

RecoverySlot::~RecoverySlot() = default;

QString RecoverySlot::folderForThisProgram() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("recovery"));
}

QStringList RecoverySlot::claimLeftovers() {
    QStringList found;
    if (!ok_) {
        return found;
    }
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QStringLiteral("recovery-*") + kSuffix}, QDir::Files,
                                    QDir::Time);  // newest first
    for (const QFileInfo& file : files) {
        const QString path = file.absoluteFilePath();
        if (path == QFileInfo(path_).absoluteFilePath() || claimed_.count(path) != 0 ||
            isSetAsideRecoveryFile(path.toStdString())) {
            continue;
        }
        auto lock = lockFor(path);
        if (lock->tryLock(0)) {  // its program is gone
            claimed_.emplace(path, std::move(lock));
            found << path;
        }
    }
    // Locks left without a file by programs that are gone had nothing to keep.
    for (const QFileInfo& lockFile : QDir(folder_).entryInfoList(
             {QStringLiteral("recovery-*.lock")}, QDir::Files | QDir::Hidden)) {
        const QString dataPath =
            lockFile.absolutePath() + QLatin1Char('/') + lockFile.completeBaseName() + kSuffix;
        if (!QFileInfo::exists(dataPath) && dataPath != path_) {
            if (auto lock = lockFor(dataPath); lock->tryLock(0)) {
                lock->unlock();
            }
        }
    }
    return found;
}

void RecoverySlot::releaseLeftovers() {
    claimed_.clear();  // each lock is given up, its lock file removed
}
