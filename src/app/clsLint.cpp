#include "app/clsLint.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <set>

#include "app/clsDataFileLines.h"
#include "app/mdlDataFile.h"
#include "base/CodePage.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "detect/mdlRules.h"
#include "platform/BuildConventions.h"
#include "platform/Machine.h"

namespace {

using Severity = clsLint::Severity;

constexpr std::wstring_view kGeneral = L"General";
constexpr std::wstring_view kBreedPrefix = L"Breed_";
constexpr std::wstring_view kTrackPrefix = L"Track";
// How much of a cut value's end the message quotes.
constexpr size_t kQuotedTail = 20;

std::wstring Quote(std::wstring_view strText) { return L"\"" + std::wstring(strText) + L"\""; }
std::wstring Dec(int64_t value) { return base::DecStr(value); }
std::wstring BreedSection(int32_t n) { return std::wstring(kBreedPrefix) + Dec(n); }

// The number after strPrefix when strName is strPrefix and a number as the
// loader writes it (1, 2, 3, no leading zeros); 0 when strName does not start
// with strPrefix; -1 when it does but the loader never asks for that name.
int32_t NumberAfter(std::wstring_view strPrefix, std::wstring_view strName) {
    if (strName.size() < strPrefix.size() || !base::TextEquals(strName.substr(0, strPrefix.size()), strPrefix))
        return 0;
    const std::wstring_view digits = strName.substr(strPrefix.size());
    if (digits.empty() || digits.size() > 5 || digits.front() == L'0') return -1;
    int32_t value = 0;
    for (wchar_t ch : digits) {
        if (ch < L'0' || ch > L'9') return -1;
        value = value * 10 + (ch - L'0');
    }
    return value <= 32767 ? value : -1;
}

bool IsHttpUrl(std::wstring_view strAddress) {
    const std::wstring lower = base::LCase(strAddress);
    std::wstring_view rest;
    for (std::wstring_view scheme : {L"http://", L"https://"}) {
        if (lower.starts_with(scheme)) rest = std::wstring_view(lower).substr(scheme.size());
    }
    if (rest.empty() || rest.front() == L'/' || rest.front() == L'?' || rest.front() == L'#') return false;
    return std::none_of(lower.begin(), lower.end(), [](wchar_t ch) { return ch <= L' ' || ch == 0x7F; });
}

bool IsRelativePathWithFolders(std::wstring_view strName) {
    const auto isSeparator = [](wchar_t ch) { return ch == L'\\' || ch == L'/'; };
    if (std::none_of(strName.begin(), strName.end(), isSeparator)) return false;
    if (isSeparator(strName.front())) return false;
    return !(strName.size() >= 3 && strName[1] == L':' && isSeparator(strName[2]));
}

// Index of the first byte that is not valid UTF-8, or npos. A byte the
// decoder had to read as Windows-1250 does not come back the same.
size_t FirstNonUtf8Byte(std::string_view bytes) {
    const std::string again = base::WideToUtf8(base::Utf8ToWide(bytes));
    const auto [mine, theirs] = std::mismatch(bytes.begin(), bytes.end(), again.begin(), again.end());
    return mine == bytes.end() ? std::string_view::npos : static_cast<size_t>(mine - bytes.begin());
}

std::wstring ByteText(unsigned char byte) {
    constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    return std::wstring(L"0x") + kHex[byte >> 4] + kHex[byte & 15];
}

std::wstring LineEndName(clsDataFileLines::LineEnd eEnd) {
    switch (eEnd) {
        case clsDataFileLines::LineEnd::CrLf:
            return L"CR LF";
        case clsDataFileLines::LineEnd::Lf:
            return L"LF";
        case clsDataFileLines::LineEnd::Cr:
            return L"CR";
        case clsDataFileLines::LineEnd::None:
            break;
    }
    return L"";
}

// "TrackN" or "TrackN to TrackM" for a run of numbers.
std::wstring NameRun(std::wstring_view strPrefix, int32_t lngFirst, int32_t lngLast) {
    std::wstring text = std::wstring(strPrefix) + Dec(lngFirst);
    if (lngLast != lngFirst) text += L" to " + std::wstring(strPrefix) + Dec(lngLast);
    return text;
}

std::wstring SectionRun(int32_t lngFirst, int32_t lngLast) {
    std::wstring text = L"[" + BreedSection(lngFirst) + L"]";
    if (lngLast != lngFirst) text += L" to [" + BreedSection(lngLast) + L"]";
    return text;
}

}  // namespace

bool clsLint::Run(std::wstring_view strFile) {
    mFindings.clear();
    mNames.clear();
    mTrackCounts.clear();
    mstrFile = platform::FullPath(strFile);
    std::string bytes;
    if (!platform::Host().files->ReadFile(mstrFile, bytes)) return false;
    const clsDataFileLines objLines(bytes);
    mLines = &objLines;

    CheckBytes(objLines);
    bool blnBreedsKnown = false;
    const int32_t lngBreeds = CheckGeneral(objLines, blnBreedsKnown);
    mTrackCounts.assign(static_cast<size_t>(lngBreeds) + 1, -1);
    for (int32_t n = 1; n <= lngBreeds; ++n) {
        if (objLines.FindSection(BreedSection(n)) != nullptr) CheckBreed(objLines, n);
    }
    CheckLayout(objLines, lngBreeds, blnBreedsKnown);

    std::stable_sort(mFindings.begin(), mFindings.end(),
                     [](const Finding& a, const Finding& b) { return a.Line < b.Line; });
    mLines = nullptr;
    return true;
}

int32_t clsLint::Errors() const {
    return static_cast<int32_t>(
        std::count_if(mFindings.begin(), mFindings.end(), [](const Finding& f) { return f.Level == Severity::Error; }));
}

int32_t clsLint::Warnings() const { return static_cast<int32_t>(mFindings.size()) - Errors(); }

std::wstring clsLint::Text(std::wstring_view strName) const {
    std::wstring text;
    for (const Finding& finding : mFindings) {
        text += strName;
        if (finding.Line > 0) text += L":" + Dec(finding.Line);
        text += finding.Level == Severity::Error ? L": error: " : L": warning: ";
        text += finding.Message;
        text += L'\n';
    }
    const int32_t lngErrors = Errors();
    const int32_t lngWarnings = Warnings();
    text += std::wstring(strName) + L": " + Dec(lngErrors) + (lngErrors == 1 ? L" error, " : L" errors, ") +
            Dec(lngWarnings) + (lngWarnings == 1 ? L" warning\n" : L" warnings\n");
    return text;
}

void clsLint::Add(int32_t lngLine, Severity eLevel, std::wstring strMessage) {
    mFindings.push_back({lngLine, eLevel, std::move(strMessage)});
}

std::wstring clsLint::Read(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault) {
    const std::wstring value = mdlDataFile::ReadDataFileAt(mstrFile, strSection, strKey, strDefault);
    const int32_t lngLine = mLines->KeyLine(strSection, strKey);
    if (lngLine == 0 || value.size() + 1 < mdlDataFile::kReadBufferChars) return value;
    // A line has at least as many bytes as its value has characters.
    const size_t lngBytes = mLines->Lines()[static_cast<size_t>(lngLine - 1)].Bytes.size();
    const auto lngBuffer = static_cast<uint32_t>(std::max<size_t>(lngBytes + 2, mdlDataFile::kReadBufferChars + 1));
    const std::wstring whole = mdlDataFile::ReadDataFileAt(mstrFile, strSection, strKey, strDefault, lngBuffer);
    if (whole.size() > value.size()) {
        Add(lngLine, Severity::Error,
            std::wstring(strKey) + L" is " + Dec(static_cast<int64_t>(whole.size())) +
                L" characters long: the loader cuts it after character " + Dec(static_cast<int64_t>(value.size())) +
                L" (\"..." + value.substr(value.size() - std::min(value.size(), kQuotedTail)) + L"\")");
    }
    return value;
}

void clsLint::CheckBytes(const clsDataFileLines& objLines) {
    if (objLines.HasByteOrderMark()) Add(1, Severity::Warning, L"the file starts with a UTF-8 byte-order mark");

    const clsDataFileLines::Line* first = nullptr;
    for (const auto& line : objLines.Lines()) {
        if (line.End == clsDataFileLines::LineEnd::None) continue;
        if (first == nullptr) {
            first = &line;
        } else if (line.End != first->End) {
            Add(line.Number, Severity::Warning,
                L"line ends are mixed: this line ends with " + LineEndName(line.End) + L", line " + Dec(first->Number) +
                    L" with " + LineEndName(first->End));
            break;
        }
    }

    const bool blnUtf8 = platform::DataFileEncoding() == platform::TextEncoding::Utf8;
    for (const auto& line : objLines.Lines()) {
        const size_t bad = FirstNonUtf8Byte(line.Bytes);
        if (blnUtf8) {
            if (bad != std::string_view::npos) {
                Add(line.Number, Severity::Error,
                    L"the line is not valid UTF-8 (byte " + Dec(static_cast<int64_t>(bad) + 1) +
                        L"): it is read as Windows-1250");
            }
            continue;
        }
        const auto undefined = std::find_if(line.Bytes.begin(), line.Bytes.end(), [](char ch) {
            return base::Cp1250ToChar(static_cast<unsigned char>(ch)) == L'\xFFFD';
        });
        if (undefined != line.Bytes.end()) {
            Add(line.Number, Severity::Error,
                L"byte " + Dec(undefined - line.Bytes.begin() + 1) + L" (" +
                    ByteText(static_cast<unsigned char>(*undefined)) + L") is not a Windows-1250 character");
        } else if (bad == std::string_view::npos &&
                   std::any_of(line.Bytes.begin(), line.Bytes.end(), [](char ch) { return (ch & 0x80) != 0; })) {
            Add(line.Number, Severity::Error,
                L"the line is written in UTF-8, but the file is read as Windows-1250: its letters turn into garbage");
        }
    }
}

int32_t clsLint::CheckGeneral(const clsDataFileLines& objLines, bool& blnBreedsKnown) {
    blnBreedsKnown = false;
    const int32_t lngSection = objLines.SectionLine(kGeneral);
    const int32_t lngLine = objLines.KeyLine(kGeneral, L"Count");
    if (lngSection == 0) {
        Add(0, Severity::Error, L"there is no [General] section: the loader loads no breeds");
        return 0;
    }
    if (lngLine == 0) {
        Add(lngSection, Severity::Error, L"[General] has no Count: the loader loads no breeds");
        return 0;
    }
    const std::wstring strCount = Read(kGeneral, L"Count", L"0");
    if (!base::IsNumeric(strCount)) {
        Add(lngLine, Severity::Error, L"Count " + Quote(strCount) + L" is not a number: the loader loads no breeds");
        return 0;
    }
    int16_t intCount = 0;
    try {
        intCount = base::CInt(strCount);
    } catch (...) {
        Add(lngLine, Severity::Error,
            L"Count " + strCount + L" is out of range (-32768 to 32767): loading fails with an overflow");
        return 0;
    }
    if (intCount < 0) {
        Add(lngLine, Severity::Error, L"Count " + strCount + L" is negative: the loader loads no breeds");
        return 0;
    }
    blnBreedsKnown = true;

    std::set<int32_t> present;
    for (const auto& section : objLines.Sections()) {
        const int32_t n = NumberAfter(kBreedPrefix, section.Name);
        if (n <= 0 || section.RepeatOf != 0) continue;
        present.insert(n);
        if (n > intCount) {
            Add(section.Line, Severity::Error,
                L"[" + section.Name + L"] is beyond [General] Count=" + Dec(intCount) + L": it is never loaded");
        }
    }
    int32_t lngLast = 0;
    for (int32_t n : present) {
        if (n <= intCount) lngLast = n;
    }
    for (int32_t n = 1; n <= lngLast; ++n) {
        if (present.count(n) != 0) continue;
        int32_t k = n;
        while (k + 1 <= lngLast && present.count(k + 1) == 0) ++k;
        Add(lngLine, Severity::Error,
            L"there is no section " + SectionRun(n, k) + L": " +
                (k == n ? L"that breed loads empty" : L"those breeds load empty") + L" and can never be found");
        n = k;
    }
    if (lngLast < intCount) {
        Add(lngLine, Severity::Warning,
            L"Count is " + Dec(intCount) + L" but there is no section " + SectionRun(lngLast + 1, intCount) + L": " +
                (lngLast + 1 == intCount ? L"that breed loads empty" : L"those breeds load empty") +
                L" and can never be found");
    }
    return intCount;
}

void clsLint::CheckBreed(const clsDataFileLines& objLines, int32_t n) {
    const std::wstring strSection = BreedSection(n);
    const int32_t lngSection = objLines.SectionLine(strSection);
    const auto lineOf = [&](std::wstring_view strKey) {
        const int32_t lngLine = objLines.KeyLine(strSection, strKey);
        return lngLine != 0 ? lngLine : lngSection;
    };

    const std::wstring strName = Read(strSection, L"Name", L"");
    Read(strSection, L"Info", L"");
    Read(strSection, L"URL", L"");
    if (strName.empty()) {
        Add(lineOf(L"Name"), Severity::Error, L"the breed has no Name");
    } else {
        const std::wstring folded = base::UCase(base::Trim(strName));
        const auto same =
            std::find_if(mNames.begin(), mNames.end(), [&](const auto& seen) { return seen.first == folded; });
        if (same != mNames.end()) {
            Add(lineOf(L"Name"), Severity::Warning,
                L"breed name " + Quote(strName) + L" is also the name of [" + BreedSection(same->second) + L"]");
        } else {
            mNames.emplace_back(folded, n);
        }
    }

    // Filter and Proof: a value that is not numeric falls back (the key
    // missing too); one out of range ends the load.
    const auto readSmall = [&](std::wstring_view strKey, int16_t intFallback) -> std::optional<int16_t> {
        const std::wstring strValue = Read(strSection, strKey, L"x");
        const int32_t lngLine = objLines.KeyLine(strSection, strKey);
        if (!base::IsNumeric(strValue)) {
            if (lngLine != 0) {
                Add(lngLine, Severity::Error,
                    std::wstring(strKey) + L" " + Quote(strValue) + L" is not a number: the loader uses " +
                        Dec(intFallback));
            }
            return intFallback;
        }
        try {
            return base::CInt(strValue);
        } catch (...) {
            Add(lngLine, Severity::Error,
                std::wstring(strKey) + L" " + strValue +
                    L" is out of range (-32768 to 32767): loading fails here with an overflow");
            return std::nullopt;
        }
    };
    const std::optional<int16_t> intFilter = readSmall(L"Filter", 0);
    if (intFilter && (*intFilter & ~kWindowCheckTypes) != 0) {
        Add(lineOf(L"Filter"), Severity::Warning,
            L"Filter " + Dec(*intFilter) +
                L" has bits the window never sets (it sets 1 and 2): the breed never takes part in a check");
    }
    const std::optional<int16_t> intProof = readSmall(L"Proof", 5);

    const std::wstring strTracks = Read(strSection, L"Count", L"0");
    const int32_t lngCountLine = lineOf(L"Count");
    if (!base::IsNumeric(strTracks)) {
        Add(lngCountLine, Severity::Error,
            L"Count " + Quote(strTracks) + L" is not a number: the loader drops this breed and its tracks");
        return;
    }
    int16_t intTracks = 0;
    try {
        intTracks = base::CInt(static_cast<double>(base::CLng(strTracks)));
    } catch (...) {
        Add(lngCountLine, Severity::Error,
            L"Count " + strTracks + L" is out of range (-32768 to 32767): loading fails here with an overflow");
        return;
    }
    mTrackCounts[static_cast<size_t>(n)] = std::max<int32_t>(intTracks, 0);

    int32_t lngLoaded = 0;
    for (int32_t m = 1; m <= intTracks; ++m) {
        const std::wstring strKey = std::wstring(kTrackPrefix) + Dec(m);
        const int32_t lngLine = objLines.KeyLine(strSection, strKey);
        if (lngLine == 0) {
            int32_t k = m;
            while (k + 1 <= intTracks && objLines.KeyLine(strSection, std::wstring(kTrackPrefix) + Dec(k + 1)) == 0)
                ++k;
            Add(lngCountLine, Severity::Error,
                NameRun(kTrackPrefix, m, k) + (k == m ? L" is" : L" are") + L" missing (the breed's Count is " +
                    Dec(intTracks) + L")");
            m = k;
            continue;
        }
        CheckTrack(lngLine, n, m, Read(strSection, strKey, L""), lngLoaded);
    }

    if (!intProof) return;
    if (*intProof > lngLoaded) {
        const bool blnDefault = objLines.KeyLine(strSection, L"Proof") == 0;
        Add(lineOf(L"Proof"), Severity::Error,
            L"Proof " + Dec(*intProof) + (blnDefault ? L" (the loader's default)" : L"") +
                L" is more than the breed's " + Dec(lngLoaded) + (lngLoaded == 1 ? L" track" : L" tracks") +
                L": the breed can never be found");
    } else if (*intProof <= 0) {
        Add(lineOf(L"Proof"), Severity::Warning,
            L"Proof " + Dec(*intProof) + L": the breed counts as found without a single hit");
    }
}

void clsLint::CheckTrack(int32_t lngLine, int32_t n, int32_t m, std::wstring_view strValue, int32_t& lngTracks) {
    const std::wstring strKey = std::wstring(kTrackPrefix) + Dec(m) + L": ";
    const std::vector<std::wstring> fields = mdlDataFile::SplitTrack(strValue);
    std::shared_ptr<clsTrack> objTrack;
    try {
        objTrack = mdlDataFile::NewTrack(n, m, strValue);
    } catch (...) {
        Add(lngLine, Severity::Error,
            strKey + L"report level " + fields.back() + L" is out of range: loading fails here with an overflow");
        return;
    }
    if (!objTrack) {
        Add(lngLine, Severity::Error,
            strValue.empty() ? strKey + L"the value is empty: the loader skips it"
                             : strKey + Dec(static_cast<int64_t>(fields.size())) +
                                   L" fields, five are needed (separated by ~#): the loader skips it");
        return;
    }
    ++lngTracks;

    if (!base::IsNumeric(fields[4])) {
        Add(lngLine, Severity::Error,
            strKey + L"report level " + Quote(fields[4]) +
                L" is not a number: the loader uses 99 (a detail block for every evaluated track)");
    }
    const std::wstring& strClass = objTrack->Class();
    const std::wstring& strOperator = objTrack->Operator();
    const std::wstring& strTesting = objTrack->TestingValue();
    if (!mdlRules::IsKnownClass(strClass)) {
        Add(lngLine, Severity::Error, strKey + L"unknown class " + Quote(strClass) + L": its list is always empty");
    }
    if (!mdlRules::IsKnownOperator(strOperator)) {
        Add(lngLine, Severity::Error,
            strKey + L"unknown operator " + Quote(strOperator) +
                L": every check shows a message box on the customer's screen");
    } else if (strOperator == L"REGEXP") {
        if (const auto problem = mdlRules::RegexProblem(strTesting)) {
            Add(lngLine, Severity::Error,
                strKey + L"the REGEXP pattern is rejected: " + problem->Message +
                    (problem->Column > strTesting.size()
                         ? std::wstring(L" (at the end of the pattern)")
                         : L" (column " + Dec(static_cast<int64_t>(problem->Column)) + L" of the pattern)") +
                    L"; the scan stops at this track");
        }
    } else if (strOperator == L"LIKE" || strOperator == L"!LIKE") {
        if (!mdlRules::IsValidLikePattern(strTesting)) {
            Add(lngLine, Severity::Error,
                strKey + L"the LIKE pattern has an unclosed \"[\" or a descending range: the scan stops at this track");
        }
    } else if (strOperator == L"<" || strOperator == L">") {
        if (!base::IsNumeric(mdlRules::ReplaceCrLf(strTesting))) {
            Add(lngLine, Severity::Error,
                strKey + L"the testing value " + Quote(strTesting) + L" of \"" + strOperator +
                    L"\" is not a number: the scan stops at this track");
        }
    }
    if (strClass == L"DOWNLOADFILE" && !IsHttpUrl(objTrack->InputValue())) {
        Add(lngLine, Severity::Error,
            strKey + L"the address " + Quote(objTrack->InputValue()) + L" is not an http:// or https:// URL");
    }
    if (strClass == L"LOADLIBRARY" && platform::LibrarySearchSkipsProgramFolder() &&
        IsRelativePathWithFolders(objTrack->InputValue())) {
        Add(lngLine, Severity::Warning,
            strKey + L"the library " + Quote(objTrack->InputValue()) +
                L" is a relative path: libraries are looked up in the system's folders only, so a copy beside the "
                L"program is not loaded");
    }
}

void clsLint::CheckLayout(const clsDataFileLines& objLines, int32_t lngBreeds, bool blnBreedsKnown) {
    const auto& lines = objLines.Lines();
    for (size_t index : objLines.LooseKeys()) {
        Add(lines[index].Number, Severity::Warning,
            L"key " + lines[index].Name + L" is outside any section and is never read");
    }
    for (const auto& line : lines) {
        if (line.Kind == clsDataFileLines::LineKind::Other) {
            Add(line.Number, Severity::Warning, L"the line is no section, key=value pair or comment: it is ignored");
        }
    }
    for (const auto& section : objLines.Sections()) {
        if (section.RepeatOf != 0) {
            Add(section.Line, Severity::Warning,
                L"[" + section.Name + L"] repeats the section of line " + Dec(section.RepeatOf) +
                    L": only the first is read");
            continue;
        }
        const bool blnGeneral = base::TextEquals(section.Name, kGeneral);
        const int32_t n = NumberAfter(kBreedPrefix, section.Name);
        if (n < 0) {
            Add(section.Line, Severity::Warning,
                L"[" + section.Name +
                    L"] is never read: breed sections are numbered Breed_1, Breed_2, ... "
                    L"without leading zeros");
            continue;
        }
        if (!blnGeneral && n == 0) {
            Add(section.Line, Severity::Warning, L"[" + section.Name + L"] is never read");
            continue;
        }
        // Sections the loader never reaches are reported whole already.
        if (!blnGeneral && (!blnBreedsKnown || n > lngBreeds)) continue;

        for (size_t index : section.Keys) {
            const auto& line = lines[index];
            const int32_t lngFirst = section.FirstKeyLine.at(base::UCase(line.Name));
            if (lngFirst != line.Number) {
                Add(line.Number, Severity::Warning,
                    L"key " + line.Name + L" repeats the one of line " + Dec(lngFirst) + L": only the first is read");
                continue;
            }
            if (blnGeneral) {
                if (!base::TextEquals(line.Name, L"Count")) {
                    Add(line.Number, Severity::Warning, L"key " + line.Name + L" is never read");
                }
                continue;
            }
            bool blnKnown = false;
            for (std::wstring_view known : {L"Name", L"Info", L"URL", L"Filter", L"Proof", L"Count"}) {
                blnKnown = blnKnown || base::TextEquals(line.Name, known);
            }
            if (blnKnown) continue;
            const int32_t m = NumberAfter(kTrackPrefix, line.Name);
            const int32_t lngLimit = mTrackCounts[static_cast<size_t>(n)];
            if (m > 0) {
                if (lngLimit >= 0 && m > lngLimit) {
                    Add(line.Number, Severity::Warning,
                        line.Name + L" is beyond the breed's Count " + Dec(lngLimit) + L": it is never loaded");
                }
            } else if (m < 0) {
                Add(line.Number, Severity::Warning,
                    L"key " + line.Name +
                        L" is never read: track keys are numbered Track1, Track2, ... "
                        L"without leading zeros");
            } else {
                Add(line.Number, Severity::Warning, L"key " + line.Name + L" is never read");
            }
        }
    }
}
