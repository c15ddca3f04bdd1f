#pragma once

// The system calls of the atomic writer, for the system's own source
// (AtomicFilePosix.cpp or AtomicFileWindows.cpp, chosen by CMake) and the
// steps every system shares (AtomicFile.cpp), and nothing else.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/AtomicFile.h"
#include "model/Result.h"

namespace atomic_file {

// The calls installed now: the system's own, or those a test installed.
const FileSystemOps& ops();

// ".tanahuda-PID-N.tmp": the program's pattern and the writing process.
inline constexpr std::string_view kTempPrefix = ".tanahuda-";
inline constexpr std::string_view kTempSuffix = ".tmp";
// The process id in a temporary file's name, or 0 when the name is not one.
long pidOfTemporaryName(std::string_view name);

// ---- Each system's own.

// Looks at `path` as it stands: why it may not be replaced, if it may not;
// otherwise the file to write (`path` with its symbolic links followed) and
// what the new file keeps of an existing one.
Result inspectTarget(const std::string& path, const std::vector<std::string>& inputs,
                     std::string& target, KeptAttributes& kept);
// The folder a file is in, and the separator before a name in it.
std::string folderOf(const std::string& path);
extern const char kPathSeparator;
unsigned long processId();
// Removes the temporary files that writers killed before they could clean up
// left in `folder`, where the system lets them be found.
void removeStaleTemporaryFiles(const std::string& folder);
// Creates the temporary file, which must not exist yet; -1 and errno on failure.
int openTemporary(const std::string& path);
// Gives the new file what the old one had, on opening it or before the
// rename, as the system allows; best effort.
void keepAttributesOnOpen(int fd, const KeptAttributes& kept);
void keepAttributesBeforeRename(const std::string& temporary, const KeptAttributes& kept);
// Makes the rename into `folder` durable, where the rename itself is not.
void flushFolder(const std::string& folder);
// Why the file at `fd` in `folder` cannot take more bytes, found after the
// fact for a writer that reports no reason of its own: ENOSPC when its disk
// has no free block, the folder's own error (ENOENT) when the folder is gone;
// 0 when neither.
int whyNotWritable(int fd, const std::string& folder);
// The last bytes of the file at `fd`, at most `size` of them; 0 or less for
// an empty file or an error.
long readTail(int fd, char* buffer, std::size_t size);
// The list of temporary files removed on a signal keeps each path in the
// system's own form: stored when a slot is claimed, removed from a signal
// handler (so without allocating).
inline constexpr int kPendingSlots = 8;
bool storePendingPath(int slot, const std::string& path);
void removePendingPath(int slot);

}  // namespace atomic_file
