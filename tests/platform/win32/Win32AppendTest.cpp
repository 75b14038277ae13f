// Appending when the disk fills up part-way through a record: the record
// goes in whole or not at all, so the next one starts a line of its own.

#include <gtest/gtest.h>
#include <windows.h>
// windows.h maps DeleteFile to DeleteFileA; the member keeps its own name.
#undef DeleteFile

#include <algorithm>
#include <string>

#include "fakes/TempFolder.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

// The real file system on a disk with only `room` bytes left: a write that
// does not fit is cut short, the next one fails.
class FullDisk final : public platform::win32::Win32FileSystem {
public:
    size_t room = 0;

protected:
    bool WritePiece(void* hFile, const char* data, uint32_t lngBytes, uint32_t& lngWritten) override {
        lngWritten = 0;
        const auto fits = static_cast<uint32_t>(std::min<size_t>(lngBytes, room));
        if (fits == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        const bool ok = Win32FileSystem::WritePiece(hFile, data, fits, lngWritten);
        room -= lngWritten;
        return ok;
    }
};

TEST(Win32AppendTest, AFullDiskTearsNoRecord) {
    const struct {
        size_t room;
        const char* content;  // after the long record, then a short one
    } cases[] = {
        {0, "first\r\nnext\r\n"},
        {5, "first\r\nnext\r\n"},
        {1000, "first\r\na long record\r\nnext\r\n"},
    };
    for (const auto& c : cases) {
        testing_support::TempFolder folder;
        const std::wstring file = folder.File(L"log.txt");
        FullDisk disk;
        disk.room = 1000;
        ASSERT_TRUE(disk.AppendText(file, L"first\r\n"));
        disk.room = c.room;
        EXPECT_EQ(disk.AppendText(file, L"a long record\r\n"), c.room >= 15) << c.room;
        disk.room = 1000;
        EXPECT_TRUE(disk.AppendText(file, L"next\r\n")) << c.room;
        EXPECT_EQ(folder.Read(L"log.txt"), c.content) << c.room;
    }
}

}  // namespace
