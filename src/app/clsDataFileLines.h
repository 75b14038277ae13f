#pragma once
// The knowledge base as lines of bytes, for the checks that must point at a
// line: where each section and key stands, how each line ends. Lines are
// classified the way the profile reader reads them (blanks and tabs trimmed,
// ";" comments, "[" sections up to the last "]", key=value at the first "=",
// names without regard to case, the first of repeated sections and keys).

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class clsDataFileLines {
public:
    enum class LineEnd : uint8_t { None, CrLf, Lf, Cr };
    enum class LineKind : uint8_t { Blank, Comment, Section, Key, Other };

    struct Line {
        int32_t Number = 0;      // 1-based; CR LF, LF and CR each end one line
        std::string_view Bytes;  // without its line end (and without a leading byte-order mark)
        LineEnd End = LineEnd::None;
        LineKind Kind = LineKind::Blank;
        std::wstring Name;  // section or key name, trimmed, as written
    };

    struct Section {
        std::wstring Name;
        int32_t Line = 0;
        // The line of the first section of that name when this one repeats
        // it (and is therefore never read); 0 otherwise.
        int32_t RepeatOf = 0;
        // Indexes into Lines() of its key lines, in file order.
        std::vector<size_t> Keys;
        // Upper-cased key name -> line number of its first occurrence.
        std::unordered_map<std::wstring, int32_t> FirstKeyLine;
    };

    // bytes must outlive the object.
    explicit clsDataFileLines(std::string_view bytes);

    bool HasByteOrderMark() const { return mBom; }
    const std::vector<Line>& Lines() const { return mLines; }
    // Every section header in file order, repeats included.
    const std::vector<Section>& Sections() const { return mSections; }
    // Indexes into Lines() of key lines before the first section.
    const std::vector<size_t>& LooseKeys() const { return mLooseKeys; }

    // The first section of that name (case ignored), or none.
    const Section* FindSection(std::wstring_view strName) const;
    // Line of the key the reader returns for strSection/strKey; 0 when absent.
    int32_t KeyLine(std::wstring_view strSection, std::wstring_view strKey) const;
    // Line of the section's header; 0 when absent.
    int32_t SectionLine(std::wstring_view strSection) const;

private:
    bool mBom = false;
    std::vector<Line> mLines;
    std::vector<Section> mSections;
    std::vector<size_t> mLooseKeys;
    std::unordered_map<std::wstring, size_t> mFirstSection;  // upper-cased name -> index
};
