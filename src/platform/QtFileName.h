#pragma once

#include <QString>
#include <string>

// A path in the system's own bytes as Qt can open it. Qt turns file names
// into UTF-8 on Linux and replaces what is not UTF-8 there, so a folder whose
// name is code page 932 bytes (what unpacking a Windows archive gives) could
// not be reached by that name. Such a folder is opened here and reached as
// /proc/self/fd/N/NAME while this object lives; any other path is its name.
class QtFileName {
  public:
    explicit QtFileName(const std::string& path);
    ~QtFileName();
    QtFileName(const QtFileName&) = delete;
    QtFileName& operator=(const QtFileName&) = delete;

    const QString& name() const { return name_; }

  private:
    QString name_;
    int folder_ = -1;  // the folder held open, or -1
};
