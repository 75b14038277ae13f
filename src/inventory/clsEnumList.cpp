#include "inventory/clsEnumList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "base/VbError.h"
#include "log/mdlLog.h"

namespace {

// One growth step of the classic buffer, in characters.
constexpr int64_t kGrowStep = 65535;
constexpr int64_t kMaxLong = std::numeric_limits<int32_t>::max();
// Up to this many characters AllockBuffer also reserves real storage; beyond
// it the request only moves the reported size, the text still grows on demand.
constexpr int64_t kMaxReserve = int64_t{1} << 24;

// A position or size that no longer fits 32 bits is an overflow, as it would
// be in the classic buffer arithmetic.
int64_t Checked(int64_t value) {
    if (value > kMaxLong || value < std::numeric_limits<int32_t>::min()) base::Raise(base::vbErrOverflow);
    return value;
}

}  // namespace

std::wstring clsEnumList::Name() const { return mstrName; }

void clsEnumList::Name(std::wstring_view strName) {
    try {
        mstrName.assign(strName);
    } catch (...) {
    }
}

clsEnumList::~clsEnumList() { std::free(mpText); }

std::wstring_view clsEnumList::Text() const { return {mpText != nullptr ? mpText : L"", mlngUsed}; }

int32_t clsEnumList::Length() const { return static_cast<int32_t>(mlngUsed); }

int32_t clsEnumList::Capacity() const { return static_cast<int32_t>(mlngCapacity); }

void clsEnumList::Dispose() {
    std::free(mpText);
    mpText = nullptr;
    mlngUsed = 0;
    mlngAllocated = 0;
    mlngCapacity = 0;
}

void clsEnumList::Reserve(size_t lngChars) {
    if (lngChars <= mlngAllocated) return;
    if (lngChars > SIZE_MAX / sizeof(wchar_t)) throw std::bad_alloc();
    void* grown = std::realloc(mpText, lngChars * sizeof(wchar_t));
    if (grown == nullptr) throw std::bad_alloc();
    mpText = static_cast<wchar_t*>(grown);
    mlngAllocated = lngChars;
}

int32_t clsEnumList::AllockBuffer(int32_t lngLength) {
    try {
        if (lngLength <= mlngCapacity) return 0;
        if (lngLength <= kMaxReserve) Reserve(static_cast<size_t>(lngLength));
        mlngCapacity = lngLength;
        return 1;
    } catch (...) {
        mdlLog::LogError(L"[clsEnumList] (AllockBuffer)", L"", L"");
        return -1;
    }
}

void clsEnumList::AppendToBuffer(std::wstring_view strValue, int32_t lngStart) {
    try {
        const int64_t start = lngStart < 1 ? 1 : lngStart;
        const int64_t used = static_cast<int64_t>(mlngUsed);
        const int64_t n = Checked(static_cast<int64_t>(strValue.size()) - (start - 1));
        if (n < 0) base::Raise(base::vbErrInvalidArgument);
        const int64_t needed = Checked(used + n);
        int64_t capacity = mlngCapacity;
        if (needed > capacity) {
            // Larger than one step: the text goes on without spare room.
            // Otherwise the reported room grows by one step.
            capacity = needed > Checked(capacity + kGrowStep) ? needed : capacity + kGrowStep;
        }
        // The text itself is kept whole, NUL characters included; only the
        // reported spare room follows the classic policy.
        const std::wstring_view part = strValue.substr(static_cast<size_t>(start - 1));
        if (mlngUsed + part.size() > mlngAllocated) {
            Reserve(std::max(mlngUsed + part.size(), std::max<size_t>(mlngAllocated * 2, 256)));
        }
        if (!part.empty()) std::memcpy(mpText + mlngUsed, part.data(), part.size() * sizeof(wchar_t));
        mlngUsed += part.size();
        mlngCapacity = capacity;
    } catch (...) {
        mdlLog::LogError(L"[clsEnumList] (AppendToBuffer)", L"", L"");
    }
}
