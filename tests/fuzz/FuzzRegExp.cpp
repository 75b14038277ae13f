// REGEXP as the scan runs it: the pattern translated and compiled, every
// match over the list text within the work budget.
#include <stdexcept>
#include <vector>

#include "FuzzTarget.h"
#include "base/VbError.h"
#include "detect/mdlRegex.h"

FUZZ_TARGET(bytes) {
    FuzzedDataProvider input = fuzz::Provider(bytes);
    const std::wstring pattern = base::Utf8ToWide(input.ConsumeRandomLengthString(256));
    const std::wstring text = base::Utf8ToWide(input.ConsumeRemainingBytesAsString());
    std::vector<mdlRegex::Match> matches;
    try {
        mdlRegex::Execute(pattern, text, matches);
    } catch (const base::VbError& e) {
        if (e.Number() != 5017) __builtin_trap();
    } catch (const std::runtime_error&) {
        // A runaway, stopped: the scan reports it as its error.
    }
    size_t end = 0;
    for (const mdlRegex::Match& match : matches) {
        if (match.offset < end && match.length > 0) __builtin_trap();
        if (match.offset > text.size() || match.length > text.size() - match.offset) __builtin_trap();
        end = match.offset + match.length;
    }
}
