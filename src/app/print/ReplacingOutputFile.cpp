#include "ReplacingOutputFile.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

ReplacingOutputFile::ReplacingOutputFile(std::string target) : target_(std::move(target)) {}

ReplacingOutputFile::~ReplacingOutputFile() {
    if (!temporary_.empty() && !committed_) {
        std::remove(temporary_.c_str());
    }
}

bool ReplacingOutputFile::open(std::string& error) {
    const QString target = QString::fromStdString(target_);
    if (QFileInfo(target).isDir()) {
        error = "出力先はフォルダーです: " + target_;
        return false;
    }
    QTemporaryFile reservation(target + QStringLiteral(".XXXXXX"));
    reservation.setAutoRemove(false);
    if (!reservation.open()) {
        error = "出力先に書き込めません: " + target_ + " (" +
                reservation.errorString().toStdString() + ")";
        return false;
    }
    temporary_ = reservation.fileName().toStdString();
    reservation.close();
    return true;
}

bool ReplacingOutputFile::commit(std::string& error) {
    // The temporary file is private (0600); the output gets the usual
    // permissions of a new file.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(temporary_.c_str(), 0666 & ~mask);
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error = "出力ファイルを置き換えられません: " + target_ + " (" + std::strerror(errno) + ")";
        return false;
    }
    committed_ = true;
    return true;
}
