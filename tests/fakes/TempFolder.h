#pragma once
// A real, empty folder for tests that touch the file system; removed with
// everything in it when the object goes.

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }
    // The folder as the program spells paths (no trailing separator).
    std::wstring WPath() const { return mPath.wstring(); }
    // strName below the folder, joined with the platform separator.
    std::wstring File(std::wstring_view strName) const;
    // Writes raw bytes into strName below the folder (sub-folders created).
    void Write(std::wstring_view strName, std::string_view bytes) const;
    std::string Read(std::wstring_view strName) const;

private:
    std::filesystem::path mPath;
};

}  // namespace testing_support
