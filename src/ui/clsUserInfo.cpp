#include "ui/clsUserInfo.h"

#include "base/Text.h"

std::wstring clsUserInfo::URLTitle() const {
    if (mstrURL.empty()) return mstrURL;
    // Only http:// addresses are cut at "/"; anything else (https included)
    // is treated as a path.
    const bool blnWeb = base::TextEquals(std::wstring_view(mstrURL).substr(0, 7), L"http://");
    const std::size_t at = mstrURL.rfind(blnWeb ? L'/' : L'\\');
    if (at == std::wstring::npos) return mstrURL;
    return mstrURL.substr(at + 1);
}

void clsUserInfo::Fill(std::wstring_view strName, std::wstring_view strDescription, std::wstring_view strURL) {
    mstrName = strName;
    mstrText = strName;
    mstrDescription = strDescription;
    mstrURL = strURL;
    mlngID = 0;
    mlngFilter = 0;
}

void clsUserInfo::Update(const clsUserInfo& objItem) {
    if (&objItem == this) return;
    *this = objItem;
}

bool clsUserInfo::Equals(const clsUserInfo& objItem) const {
    return mstrName == objItem.mstrName;
}

std::shared_ptr<clsUserInfo> clsUserInfo::Clone() const {
    return std::make_shared<clsUserInfo>(*this);
}

std::wstring clsUserInfo::ToString(int32_t lngType) const {
    if (lngType == 1) {
        return L"Název:    " + mstrName + L"\r\nStatus:   " + mstrCheck + L"\r\nFiltr:   " + base::DecStr(mlngFilter) +
               L"\r\nPopis:    " + mstrDescription + L"\r\nURL:      " + mstrURL;
    }
    return mstrText + L"\r\n" + base::DecStr(mlngID) + L" " + mstrName + L" " + mstrCheck + L"\r\n" + mstrDescription +
           L"\r\n" + mstrURL;
}
