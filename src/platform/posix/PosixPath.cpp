#include "platform/posix/PosixPath.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform::posix {

namespace {

// Length of the valid UTF-8 sequence at p (0 when there is none) and its code point.
size_t DecodeUtf8(const unsigned char* p, size_t size, char32_t& cp) {
    const unsigned char b = p[0];
    size_t length;
    char32_t min;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2, cp = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3, cp = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4, cp = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (size < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::wstring FromNativeName(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < bytes.size();) {
        if (p[i] < 0x80) {
            text.push_back(static_cast<wchar_t>(p[i++]));
            continue;
        }
        char32_t cp = 0;
        const size_t length = DecodeUtf8(p + i, bytes.size() - i, cp);
        if (length == 0) {
            text.push_back(static_cast<wchar_t>(0xDC00 + p[i++]));
        } else {
            text.push_back(static_cast<wchar_t>(cp));
            i += length;
        }
    }
    return text;
}

bool ReadSmallFile(const std::string& path, std::string& bytes, size_t lngLimit) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    char buffer[8192];
    bool ok = true;
    while (bytes.size() < lngLimit) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.append(buffer, std::min(static_cast<size_t>(got), lngLimit - bytes.size()));
    }
    ::close(fd);
    if (!ok) bytes.clear();
    return ok;
}

bool ListFolder(const std::string& path, std::vector<FolderItem>& items) {
    items.clear();
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") continue;
        items.push_back({std::string(name), entry->d_type});
    }
    ::closedir(dir);
    std::sort(items.begin(), items.end(), [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace platform::posix
