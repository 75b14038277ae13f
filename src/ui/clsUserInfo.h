#pragma once
// One line of the result list, or one status text, with what the window shows
// for it when the user selects it. A plain value holder.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class clsUserInfo {
public:
    int32_t ID() const { return mlngID; }
    void ID(int32_t lngID) { mlngID = lngID; }
    const std::wstring& Text() const { return mstrText; }
    void Text(std::wstring_view strText) { mstrText = strText; }
    const std::wstring& Name() const { return mstrName; }
    void Name(std::wstring_view strName) { mstrName = strName; }
    const std::wstring& Description() const { return mstrDescription; }
    void Description(std::wstring_view strDescription) { mstrDescription = strDescription; }
    const std::wstring& URL() const { return mstrURL; }
    void URL(std::wstring_view strURL) { mstrURL = strURL; }
    int32_t Filter() const { return mlngFilter; }
    void Filter(int32_t lngFilter) { mlngFilter = lngFilter; }
    // The score text, "(3/5)".
    const std::wstring& Check() const { return mstrCheck; }
    void Check(std::wstring_view strCheck) { mstrCheck = strCheck; }

    // What a link label shows of URL: the last path element of an http://
    // address, the file name of a path, otherwise the whole text.
    std::wstring URLTitle() const;

    // Name and Text = strName; ID and Filter back to 0; Check kept.
    void Fill(std::wstring_view strName, std::wstring_view strDescription = {}, std::wstring_view strURL = {});
    void Update(const clsUserInfo& objItem);
    // Same Name, compared exactly.
    bool Equals(const clsUserInfo& objItem) const;
    std::shared_ptr<clsUserInfo> Clone() const;
    // 1: five labelled lines; anything else: the record's fields in a dump.
    std::wstring ToString(int32_t lngType = 0) const;

private:
    std::wstring mstrText;
    std::wstring mstrName;
    std::wstring mstrDescription;
    std::wstring mstrURL;
    int32_t mlngID = 0;
    std::wstring mstrCheck;
    int32_t mlngFilter = 0;
};
