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
