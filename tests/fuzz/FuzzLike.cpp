// The LIKE matcher on any pattern and text. A pattern without special
// characters matches exactly the text equal to it.
#include "FuzzTarget.h"
#include "base/Like.h"
#include "base/VbError.h"

FUZZ_TARGET(bytes) {
    FuzzedDataProvider input = fuzz::Provider(bytes);
    const std::wstring pattern = base::Utf8ToWide(input.ConsumeRandomLengthString(256));
    const std::wstring text = base::Utf8ToWide(input.ConsumeRemainingBytesAsString());
    try {
        const bool match = base::Like(text, pattern);
        if (pattern.find_first_of(L"?*#[") == std::wstring::npos && match != (text == pattern)) __builtin_trap();
        base::LikeText(text, pattern);
    } catch (const base::VbError& e) {
        if (e.Number() != base::vbErrInvalidPattern) __builtin_trap();
    }
}
