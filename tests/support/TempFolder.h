// A fresh folder under the system's temporary folder, removed with everything in it.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path = std::filesystem::temp_directory_path() /
               ("portico-storage-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path; }
    // A file name inside the folder, as the UTF-8 text the database layer takes.
    std::string File(const std::string& name) const { return (path / name).u8string(); }

private:
    std::filesystem::path path;
};
