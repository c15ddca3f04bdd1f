#pragma once

#include <string>

// An output file that appears only when it is complete: everything is written
// to a temporary file beside it, which commit() renames over the target. A
// file never committed is removed, and the old target stays as it was.
class ReplacingOutputFile {
  public:
    explicit ReplacingOutputFile(std::string target);
    ~ReplacingOutputFile();
    ReplacingOutputFile(const ReplacingOutputFile&) = delete;
    ReplacingOutputFile& operator=(const ReplacingOutputFile&) = delete;

    // Reserves the temporary file. False, with a one-line reason, when the
    // target's folder cannot be written.
    bool open(std::string& error);
    // The temporary file to write to.
    const std::string& temporaryPath() const { return temporary_; }
    // Renames the temporary file over the target.
    bool commit(std::string& error);

  private:
    std::string target_;
    std::string temporary_;
    bool committed_ = false;
};
