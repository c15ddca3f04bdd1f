#include "platform/QtFileName.h"

#if defined(__linux__)
#include <fcntl.h>
#include <unistd.h>

namespace {

// True when Qt gives back the same bytes for the name it makes of them
// (paths are UTF-8 here, and Qt's file names UTF-8 on Linux).
bool qtKeeps(const std::string& bytes) {
    return QString::fromStdString(bytes).toStdString() == bytes;
}

}  // namespace
#endif

QtFileName::QtFileName(const std::string& path) {
    name_ = QString::fromStdString(path);
#if defined(__linux__)
    if (qtKeeps(path))
        return;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!qtKeeps(file))
        return;  // no way around it: Qt reports the file it cannot open
    folder_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder_ >= 0)
        name_ = QStringLiteral("/proc/self/fd/%1/").arg(folder_) + QString::fromStdString(file);
#endif
}

QtFileName::~QtFileName() {
#if defined(__linux__)
    if (folder_ >= 0)
        ::close(folder_);
#endif
}
