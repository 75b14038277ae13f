#include "fakes/TempFolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

namespace testing_support {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    std::error_code ec;
    do {
        mPath = fs::temp_directory_path() / ("quorvex-test-" + stamp + "-" + std::to_string(counter++));
    } while (!fs::create_directory(mPath, ec));
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Restore rights that a test may have taken away so that removal works.
    for (auto it = fs::recursive_directory_iterator(mPath, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(mPath, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(mPath, ec);
}

std::wstring TempFolder::File(std::wstring_view strName) const {
    return (mPath / fs::path(std::wstring(strName))).make_preferred().wstring();
}

void TempFolder::Write(std::wstring_view strName, std::string_view bytes) const {
    fs::path target = mPath / fs::path(std::wstring(strName));
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::Read(std::wstring_view strName) const {
    std::ifstream in(mPath / fs::path(std::wstring(strName)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace testing_support
