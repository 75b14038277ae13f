#pragma once
// One inventory list: a text of CR LF-ended lines that grows by appending.
// Length() and AllockBuffer() report the classic sizes (capacity grown in
// steps of 65,535 characters, trimmed when one append is larger than a step),
// while the storage itself grows geometrically so appends stay amortised O(1).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class clsEnumList {
public:
    clsEnumList() = default;
    ~clsEnumList();
    clsEnumList(const clsEnumList&) = delete;
    clsEnumList& operator=(const clsEnumList&) = delete;

    std::wstring Name() const;
    void Name(std::wstring_view strName);
    // The list text (a view valid until the next change of the list).
    std::wstring_view Text() const;
    int32_t Length() const;
    // Characters the list could hold without growing, by the classic policy.
    int32_t Capacity() const;
    void Dispose();
    // 1 when the buffer grew to lngLength, 0 when it already was that long, -1 on error.
    int32_t AllockBuffer(int32_t lngLength);
    // Appends strValue from the 1-based position lngStart on (below 1 = 1).
    void AppendToBuffer(std::wstring_view strValue, int32_t lngStart = 1);

private:
    void Reserve(size_t lngChars);

    std::wstring mstrName;
    // Exactly the list text, in storage that grows geometrically by realloc:
    // a large block grows in place or is moved by remapping its pages, never
    // copied and touched afresh, so a list of many megabytes costs no more
    // than writing it once.
    wchar_t* mpText = nullptr;
    size_t mlngUsed = 0;
    size_t mlngAllocated = 0;
    // The classic buffer length (text plus spare room) that Capacity reports.
    int64_t mlngCapacity = 0;
};
