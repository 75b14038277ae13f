#include "base/VbError.h"

#include <new>
#include <stdexcept>

#include "base/CodePage.h"

namespace base {

std::wstring StandardDescription(int32_t lngNumber) {
    switch (lngNumber) {
        case vbErrInvalidArgument: return L"Invalid procedure call or argument";
        case vbErrOverflow: return L"Overflow";
        case vbErrOutOfMemory: return L"Out of memory";
        case vbErrSubscript: return L"Subscript out of range";
        case vbErrTypeMismatch: return L"Type mismatch";
        case vbErrPathFileAccess: return L"Path/File access error";
        case vbErrInvalidPattern: return L"Invalid pattern string";
        case vbErrDuplicateKey: return L"This key is already associated with an element of this collection";
        default: return {};
    }
}

VbError::VbError(int32_t lngNumber, std::wstring strSource, std::wstring strDescription)
    : mRecord{lngNumber, std::move(strSource), std::move(strDescription)} {
    mWhat = "error " + std::to_string(lngNumber) + ": " + WideToUtf8(mRecord.Description);
}

void Raise(int32_t lngNumber, std::wstring strSource, std::wstring strDescription) {
    if (strSource.empty()) strSource = kDefaultErrorSource;
    if (strDescription.empty()) strDescription = StandardDescription(lngNumber);
    throw VbError(lngNumber, std::move(strSource), std::move(strDescription));
}

ErrorRecord CurrentError() noexcept {
    try {
        std::exception_ptr pending = std::current_exception();
        if (!pending) return {};
        try {
            std::rethrow_exception(pending);
        } catch (const VbError& e) {
            return e.Record();
        } catch (const std::bad_alloc&) {
            return {vbErrOutOfMemory, kDefaultErrorSource, StandardDescription(vbErrOutOfMemory)};
        } catch (const std::out_of_range& e) {
            return {vbErrSubscript, kDefaultErrorSource, Utf8ToWide(e.what())};
        } catch (const std::exception& e) {
            return {vbErrInvalidArgument, kDefaultErrorSource, Utf8ToWide(e.what())};
        } catch (...) {
            return {vbErrInvalidArgument, kDefaultErrorSource, StandardDescription(vbErrInvalidArgument)};
        }
    } catch (...) {
        return {};
    }
}

}  // namespace base
