#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>

#include "files/FileIo.h"

// A fresh folder under the system's temporary folder for one test, removed
// with everything in it (write permission given back first) afterwards.
class TempFolder {
  public:
    explicit TempFolder(const std::string& prefix) {
        // A name nobody has taken, created in one step (as mkdtemp does, on
        // every system).
        std::random_device random;
        std::error_code ec;
        for (int attempt = 0; attempt < 100; ++attempt) {
            dir_ = std::filesystem::temp_directory_path() /
                   (prefix + "-" + std::to_string(random() % 100000000u));
            if (std::filesystem::create_directory(dir_, ec))
                return;
        }
        ADD_FAILURE() << "no temporary folder";
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(dir_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& dir() const { return dir_; }
    // The path of `name` in the folder, in UTF-8 as the program takes paths
    // (on Windows too, where std::filesystem's narrow strings are ANSI).
    std::string path(const std::string& name) const { return utf8Of(file(name)); }
    std::filesystem::path file(const std::string& name) const {
        return dir_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
    }

    // Puts `bytes` into the file `name` as they are.
    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    // The bytes of the file `name` (a failed test when it cannot be read).
    std::string get(const std::string& name) const {
        std::string bytes;
        EXPECT_TRUE(readWholeFile(path(name), bytes).ok()) << name;
        return bytes;
    }
    // The names of the folder's entries.
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_))
            names.insert(utf8Of(e.path().filename()));
        return names;
    }

    static std::string utf8Of(const std::filesystem::path& path) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    }

  private:
    std::filesystem::path dir_;
};
