#include "ui/qt/QtCheckBoxArray.h"

#include "base/VbError.h"
#include "ui/qt/QtWindow.h"

namespace ui::qt {

QtCheckBoxArray::QtCheckBoxArray(QtWindow& objWindow, std::wstring strName, toolkit::Container& objParent)
    : mWindow(objWindow), mName(std::move(strName)) {
    mElements.emplace(int16_t{0}, &mWindow.MakeCheckBox(mName, 0, objParent));
}

toolkit::CheckBox& QtCheckBoxArray::Load(int16_t intIndex) {
    if (intIndex < 0) base::Raise(340, {}, L"Control array element does not exist");
    if (mElements.count(intIndex) != 0) base::Raise(360, {}, L"Object already loaded");
    const QtCheckBox& objTemplate = *mElements.at(0);
    QtCheckBox& made = mWindow.MakeCheckBox(mName, intIndex, objTemplate.Parent());
    mElements.emplace(intIndex, &made);
    made.TakeTemplate(objTemplate);
    return made;
}

void QtCheckBoxArray::Unload(int16_t intIndex) {
    if (intIndex == 0) base::Raise(362, {}, L"Cannot unload controls created at design time");
    const auto found = mElements.find(intIndex);
    if (found == mElements.end()) base::Raise(340, {}, L"Control array element does not exist");
    QtCheckBox* element = found->second;
    mElements.erase(found);
    mWindow.DestroyControl(element);
}

toolkit::CheckBox* QtCheckBoxArray::Item(int16_t intIndex) const {
    const auto found = mElements.find(intIndex);
    return found == mElements.end() ? nullptr : found->second;
}

std::vector<int16_t> QtCheckBoxArray::Indexes() const {
    std::vector<int16_t> indexes;
    for (const auto& [index, element] : mElements) indexes.push_back(index);
    return indexes;
}

}  // namespace ui::qt
