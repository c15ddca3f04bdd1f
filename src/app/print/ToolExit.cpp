#include "ToolExit.h"

#include <csignal>
#include <cstdlib>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "files/AtomicFile.h"

namespace {

extern "C" void onInterrupt(int signalNumber) {
    removeTemporaryFilesNow();
#ifdef _WIN32
    std::_Exit(128 + signalNumber);
#else
    ::_exit(128 + signalNumber);
#endif
}

}  // namespace

void removeTemporaryFilesOnInterrupt() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#ifdef SIGHUP
    std::signal(SIGHUP, onInterrupt);
#endif
}

void reportLastInStoreCode(const InStoreNumbering& numbering) {
    if (numbering.given() > 0)
        std::printf("%s\n", numbering.last().c_str());
    if (numbering.next().empty())
        reportError("インストアコードの番号を使い切りました: 最後は " + numbering.last());
}
