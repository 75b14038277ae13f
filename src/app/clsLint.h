#pragma once
// Checks a knowledge base the way the loader and a check would read it and
// reports, line by line, what would silently go wrong on a customer's
// machine: tracks that are skipped, breeds that can never be found, patterns
// that stop the scan, values that get cut, bytes in the wrong encoding.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class clsDataFileLines;

class clsLint {
public:
    enum class Severity : uint8_t { Warning, Error };
    struct Finding {
        int32_t Line = 0;  // 0: the file as a whole
        Severity Level = Severity::Error;
        std::wstring Message;
    };

    // The check-type bits the window can set (its visible options).
    static constexpr int32_t kWindowCheckTypes = 1 | 2;

    // Checks strFile; false when it cannot be read (nothing is found then).
    bool Run(std::wstring_view strFile);

    // In file order (findings of one line in the order they were made).
    const std::vector<Finding>& Findings() const { return mFindings; }
    int32_t Errors() const;
    int32_t Warnings() const;
    // One "NAME:LINE: error|warning: message" line per finding, then the
    // summary "NAME: n errors, m warnings".
    std::wstring Text(std::wstring_view strName) const;

private:
    void Add(int32_t lngLine, Severity eLevel, std::wstring strMessage);
    // A value as the loader reads it (cut to its buffer), noting a cut.
    std::wstring Read(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault);
    void CheckBytes(const clsDataFileLines& objLines);
    void CheckLayout(const clsDataFileLines& objLines, int32_t lngBreeds, bool blnBreedsKnown);
    int32_t CheckGeneral(const clsDataFileLines& objLines, bool& blnBreedsKnown);
    void CheckBreed(const clsDataFileLines& objLines, int32_t n);
    void CheckTrack(int32_t lngLine, int32_t n, int32_t m, std::wstring_view strValue, int32_t& lngTracks);

    std::wstring mstrFile;
    const clsDataFileLines* mLines = nullptr;
    std::vector<Finding> mFindings;
    // Breed names seen so far (upper-cased) -> their breed number.
    std::vector<std::pair<std::wstring, int32_t>> mNames;
    // Track-key limits of the breeds, for the layout check: -1 not numeric.
    std::vector<int32_t> mTrackCounts;
};
