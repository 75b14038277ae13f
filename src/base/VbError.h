#pragma once
// The error object of the program: number, source and description travel
// together, as a run-time error does. Standard run-time errors keep their
// classic numbers so that log records read the same on every build.

#include <cstdint>
#include <exception>
#include <string>

namespace base {

// Classic run-time error numbers.
inline constexpr int32_t vbErrInvalidArgument = 5;
inline constexpr int32_t vbErrOverflow = 6;
inline constexpr int32_t vbErrOutOfMemory = 7;
inline constexpr int32_t vbErrSubscript = 9;
inline constexpr int32_t vbErrTypeMismatch = 13;
inline constexpr int32_t vbErrPathFileAccess = 75;
inline constexpr int32_t vbErrInvalidPattern = 93;
inline constexpr int32_t vbErrDuplicateKey = 457;

// Base of the application-defined error range (object errors).
inline constexpr int32_t vbObjectError = static_cast<int32_t>(0x80040000u);

// What an error handler sees of the error it handles.
struct ErrorRecord {
    int32_t Number = 0;
    std::wstring Source;
    std::wstring Description;
};

// Source given to standard run-time errors raised by the program itself.
inline constexpr const wchar_t* kDefaultErrorSource = L"Quorvex";

// Standard description of a classic error number ("" for numbers it does not know).
std::wstring StandardDescription(int32_t lngNumber);

class VbError : public std::exception {
public:
    explicit VbError(int32_t lngNumber, std::wstring strSource = {}, std::wstring strDescription = {});

    int32_t Number() const noexcept { return mRecord.Number; }
    const std::wstring& Source() const noexcept { return mRecord.Source; }
    const std::wstring& Description() const noexcept { return mRecord.Description; }
    const ErrorRecord& Record() const noexcept { return mRecord; }
    const char* what() const noexcept override { return mWhat.c_str(); }

private:
    ErrorRecord mRecord;
    std::string mWhat;
};

// Raises an error. An empty source becomes the program's name, an empty
// description the standard text of the number.
[[noreturn]] void Raise(int32_t lngNumber, std::wstring strSource = {}, std::wstring strDescription = {});

// The error being handled right now (inside a catch block), mapped to an
// ErrorRecord: VbError as it is, std::bad_alloc as 7, std::out_of_range as 9,
// other standard exceptions as 5 with their message; outside a handler,
// number 0 with empty texts.
ErrorRecord CurrentError() noexcept;

}  // namespace base
