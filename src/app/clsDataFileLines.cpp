#include "app/clsDataFileLines.h"

#include "base/Text.h"
#include "platform/AnsiCodePage.h"

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::wstring Fold(std::wstring_view strName) {
    while (!strName.empty() && (strName.front() == L' ' || strName.front() == L'\t')) strName.remove_prefix(1);
    while (!strName.empty() && (strName.back() == L' ' || strName.back() == L'\t')) strName.remove_suffix(1);
    return base::UCase(strName);
}

}  // namespace

clsDataFileLines::clsDataFileLines(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) == kBom) {
        mBom = true;
        bytes.remove_prefix(kBom.size());
    }
    Section* current = nullptr;
    size_t pos = 0;
    int32_t number = 0;
    while (pos < bytes.size()) {
        size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        Line line;
        line.Number = ++number;
        line.Bytes = bytes.substr(pos, end - pos);
        if (end == bytes.size()) {
            line.End = LineEnd::None;
            pos = end;
        } else if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') {
            line.End = LineEnd::CrLf;
            pos = end + 2;
        } else {
            line.End = bytes[end] == '\r' ? LineEnd::Cr : LineEnd::Lf;
            pos = end + 1;
        }

        std::string_view text = line.Bytes;
        while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
        const size_t index = mLines.size();
        if (text.empty()) {
            line.Kind = LineKind::Blank;
        } else if (text.front() == ';') {
            line.Kind = LineKind::Comment;
        } else if (text.front() == '[') {
            std::string_view name = text.substr(1);
            const size_t close = name.rfind(']');
            if (close != std::string_view::npos) name = name.substr(0, close);
            line.Kind = LineKind::Section;
            line.Name = platform::FromAnsi(TrimBlanks(name));
            Section section;
            section.Name = line.Name;
            section.Line = line.Number;
            const auto [first, inserted] = mFirstSection.try_emplace(Fold(line.Name), mSections.size());
            if (!inserted) section.RepeatOf = mSections[first->second].Line;
            mSections.push_back(std::move(section));
            current = &mSections.back();
        } else if (const size_t equals = text.find('='); equals != std::string_view::npos) {
            line.Kind = LineKind::Key;
            line.Name = platform::FromAnsi(TrimBlanks(text.substr(0, equals)));
            if (current == nullptr) {
                mLooseKeys.push_back(index);
            } else {
                current->Keys.push_back(index);
                current->FirstKeyLine.try_emplace(Fold(line.Name), line.Number);
            }
        } else {
            line.Kind = LineKind::Other;
        }
        mLines.push_back(std::move(line));
    }
}

const clsDataFileLines::Section* clsDataFileLines::FindSection(std::wstring_view strName) const {
    const auto found = mFirstSection.find(Fold(strName));
    return found == mFirstSection.end() ? nullptr : &mSections[found->second];
}

int32_t clsDataFileLines::KeyLine(std::wstring_view strSection, std::wstring_view strKey) const {
    const Section* section = FindSection(strSection);
    if (section == nullptr) return 0;
    const auto found = section->FirstKeyLine.find(Fold(strKey));
    return found == section->FirstKeyLine.end() ? 0 : found->second;
}

int32_t clsDataFileLines::SectionLine(std::wstring_view strSection) const {
    const Section* section = FindSection(strSection);
    return section == nullptr ? 0 : section->Line;
}
