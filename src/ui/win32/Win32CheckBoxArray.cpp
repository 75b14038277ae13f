#include "ui/win32/Win32CheckBoxArray.h"

#include "base/VbError.h"
#include "ui/win32/Win32Window.h"

namespace ui::win32 {

Win32CheckBoxArray::Win32CheckBoxArray(Win32Window& objWindow, std::wstring strName, toolkit::Container& objParent)
    : mWindow(objWindow), mName(std::move(strName)) {
    mElements.emplace(int16_t{0}, std::make_unique<Win32CheckBox>(objWindow, mName, int16_t{0}, objParent, nullptr));
}

toolkit::CheckBox& Win32CheckBoxArray::Load(int16_t intIndex) {
    if (intIndex < 0) base::Raise(340, {}, L"Control array element does not exist");
    if (mElements.count(intIndex) != 0) base::Raise(360, {}, L"Object already loaded");
    const Win32CheckBox& objTemplate = *mElements.at(0);
    auto element = std::make_unique<Win32CheckBox>(mWindow, mName, intIndex, objTemplate.Parent(), &objTemplate);
    return *mElements.emplace(intIndex, std::move(element)).first->second;
}

void Win32CheckBoxArray::Unload(int16_t intIndex) {
    if (intIndex == 0) base::Raise(362, {}, L"Cannot unload controls created at design time");
    auto found = mElements.find(intIndex);
    if (found == mElements.end()) base::Raise(340, {}, L"Control array element does not exist");
    mWindow.Forget(*found->second);
    mElements.erase(found);
}

toolkit::CheckBox* Win32CheckBoxArray::Item(int16_t intIndex) const {
    auto found = mElements.find(intIndex);
    return found == mElements.end() ? nullptr : found->second.get();
}

std::vector<int16_t> Win32CheckBoxArray::Indexes() const {
    std::vector<int16_t> indexes;
    for (const auto& [index, element] : mElements) indexes.push_back(index);
    return indexes;
}

}  // namespace ui::win32
