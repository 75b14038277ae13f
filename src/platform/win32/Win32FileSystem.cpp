#include "platform/win32/Win32FileSystem.h"

#include <windows.h>
// windows.h maps DeleteFile to DeleteFileA; the member keeps its own name.
#undef DeleteFile

#include <cstring>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

namespace {

// Owns a file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : mHandle(handle) {}
    ~FileHandle() {
        if (Valid()) CloseHandle(mHandle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return mHandle != INVALID_HANDLE_VALUE && mHandle != nullptr; }
    HANDLE Get() const { return mHandle; }

private:
    HANDLE mHandle;
};

// The largest piece one ReadFile or WriteFile call moves (their counts are 32-bit).
constexpr size_t kChunkBytes = 1u << 30;

FindEntry ToEntry(const WIN32_FIND_DATAA& data) {
    FindEntry entry;
    entry.Name = FromAnsi(std::string_view(data.cFileName, strnlen(data.cFileName, sizeof data.cFileName)));
    entry.Attributes = data.dwFileAttributes;
    return entry;
}

class Win32FolderSearch final : public FolderSearch {
public:
    explicit Win32FolderSearch(HANDLE handle) : mHandle(handle) {}
    ~Win32FolderSearch() override { FindClose(mHandle); }
    Win32FolderSearch(const Win32FolderSearch&) = delete;
    Win32FolderSearch& operator=(const Win32FolderSearch&) = delete;

    bool Next(FindEntry& entry) override {
        WIN32_FIND_DATAA data{};
        if (FindNextFileA(mHandle, &data) == 0) return false;
        entry = ToEntry(data);
        return true;
    }

private:
    HANDLE mHandle;
};

DWORD Attributes(std::wstring_view strPath) { return GetFileAttributesA(ToAnsi(strPath).c_str()); }

}  // namespace

std::unique_ptr<FolderSearch> Win32FileSystem::FindFirst(std::wstring_view strPattern, FindEntry& first) {
    WIN32_FIND_DATAA data{};
    HANDLE handle = FindFirstFileA(ToAnsi(strPattern).c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    auto search = std::make_unique<Win32FolderSearch>(handle);
    first = ToEntry(data);
    return search;
}

bool Win32FileSystem::CreateFolder(std::wstring_view strPath) {
    return CreateDirectoryA(ToAnsi(strPath).c_str(), nullptr) != 0;
}

bool Win32FileSystem::FileExists(std::wstring_view strPath) {
    const DWORD attributes = Attributes(strPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::FolderExists(std::wstring_view strPath) {
    const DWORD attributes = Attributes(strPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::DeleteFile(std::wstring_view strPath) { return DeleteFileA(ToAnsi(strPath).c_str()) != 0; }

bool Win32FileSystem::ReadFile(std::wstring_view strPath, std::string& bytes) {
    // Others may hold the file open for writing (a log being written).
    FileHandle file(CreateFileA(ToAnsi(strPath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;

    std::string content;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) != 0 && size.QuadPart > 0) content.reserve(static_cast<size_t>(size.QuadPart));

    // Read to the end rather than to the size seen above: the file may grow
    // meanwhile, and a size beyond 4 GB needs several calls anyway. Once the
    // expected size is in, further reads go through a small buffer so that a
    // file that did not grow costs no second allocation.
    char spare[64 * 1024];
    for (;;) {
        const size_t used = content.size();
        const size_t room = content.capacity() - used;
        DWORD got = 0;
        if (room > 0) {
            const size_t piece = room < kChunkBytes ? room : kChunkBytes;
            content.resize(used + piece);
            const BOOL ok = ::ReadFile(file.Get(), content.data() + used, static_cast<DWORD>(piece), &got, nullptr);
            content.resize(used + got);
            if (ok == 0) return false;
        } else {
            if (::ReadFile(file.Get(), spare, sizeof spare, &got, nullptr) == 0) return false;
            content.append(spare, got);
        }
        if (got == 0) break;
    }
    bytes = std::move(content);
    return true;
}

bool Win32FileSystem::WritePiece(void* hFile, const char* data, uint32_t lngBytes, uint32_t& lngWritten) {
    DWORD written = 0;
    const bool ok = WriteFile(hFile, data, lngBytes, &written, nullptr) != 0;
    lngWritten = written;
    return ok;
}

bool Win32FileSystem::AppendText(std::wstring_view strPath, std::wstring_view strText) {
    const std::string path = ToAnsi(strPath);
    const std::string bytes = ToAnsi(strText);
    LARGE_INTEGER start{};
    size_t done = 0;
    {
        FileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        if (GetFileSizeEx(file.Get(), &start) == 0) start.QuadPart = -1;
        while (done < bytes.size()) {
            const size_t left = bytes.size() - done;
            const uint32_t piece = static_cast<uint32_t>(left < kChunkBytes ? left : kChunkBytes);
            uint32_t written = 0;
            const bool ok = WritePiece(file.Get(), bytes.data() + done, piece, written);
            done += written;
            if (!ok || written == 0) break;
        }
        if (done == bytes.size()) return true;
    }
    // A torn record would glue the next one onto its line. An append-only
    // handle cannot cut, so a second one does.
    if (done > 0 && start.QuadPart >= 0) {
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid() && SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN) != 0) SetEndOfFile(file.Get());
    }
    return false;
}

}  // namespace platform::win32
