#include "ui/clsListBoxEx.h"

#include "base/IgnoreErrors.h"
#include "base/Text.h"

using ui::toolkit::MousePointer;

namespace {

std::vector<std::wstring> SplitLines(std::wstring_view strText) {
    std::vector<std::wstring> lines;
    if (strText.empty()) return lines;
    std::size_t from = 0;
    for (std::size_t at = strText.find(L"\r\n"); at != std::wstring_view::npos; at = strText.find(L"\r\n", from)) {
        lines.emplace_back(strText.substr(from, at - from));
        from = at + 2;
    }
    lines.emplace_back(strText.substr(from));
    return lines;
}

}  // namespace

clsListBoxEx::clsListBoxEx() = default;

clsListBoxEx::~clsListBoxEx() {
    if (mobjSelf) *mobjSelf = nullptr;
}

void clsListBoxEx::Initialise(ui::toolkit::Window& frmForm, ui::toolkit::ListBox& cntControl) {
    // A list hooked before no longer reaches this object.
    if (mobjSelf) *mobjSelf = nullptr;
    mobjSelf = std::make_shared<clsListBoxEx*>(this);
    mfrmForm = &frmForm;
    mcntControl = &cntControl;
    const std::weak_ptr<clsListBoxEx*> weak = mobjSelf;
    const auto self = [weak]() -> clsListBoxEx* {
        const auto held = weak.lock();
        return held ? *held : nullptr;
    };
    // Click and double click are taken but do nothing: a line is picked on
    // the button's or the key's release.
    cntControl.OnClick = [] {};
    cntControl.OnDblClick = [] {};
    cntControl.OnKeyPress = [self](int16_t& intKeyAscii) {
        if (auto* lb = self()) lb->mcntControl_KeyPress(intKeyAscii);
    };
    cntControl.OnKeyUp = [self](int16_t& intKeyCode, int16_t) {
        if (auto* lb = self()) lb->mcntControl_KeyUp(intKeyCode);
    };
    cntControl.OnMouseUp = [self](int16_t intButton, int16_t, ui::toolkit::Twips, ui::toolkit::Twips) {
        if (auto* lb = self()) lb->mcntControl_MouseUp(intButton);
    };
    cntControl.OnMouseMove = [self](int16_t, int16_t, ui::toolkit::Twips x, ui::toolkit::Twips y) {
        if (auto* lb = self()) lb->mcntControl_MouseMove(x, y);
    };
}

std::vector<int32_t> clsListBoxEx::AddItemMultiLine(std::wstring_view strText, int32_t lngItemData, int32_t lngStartIndex) {
    std::vector<int32_t> result{0};
    try {
        if (mcntControl == nullptr) return result;
        if (lngStartIndex == -1) lngStartIndex = mcntControl->ListCount();
        const auto lines = SplitLines(strText);
        result[0] = static_cast<int32_t>(lines.size());
        for (const auto& line : lines) {
            const int32_t at = lngStartIndex;
            base::IgnoreErrors([&] { mcntControl->AddItem(line, at); });
            base::IgnoreErrors([&] { mcntControl->ItemData(at, lngItemData); });
            result.push_back(at);
            ++lngStartIndex;
        }
    } catch (...) {
    }
    return result;
}

void clsListBoxEx::RemoveItemEx(const std::vector<int32_t>& lngIndexs) {
    if (mcntControl == nullptr) return;
    for (std::size_t i = lngIndexs.size(); i-- > 1;) {
        base::IgnoreErrors([&] { mcntControl->RemoveItem(lngIndexs[i]); });
    }
}

void clsListBoxEx::RemoveTransient() {
    if (mlngTransient.empty() || mlngTransient[0] == 0) return;
    RemoveItemEx(mlngTransient);
}

int32_t clsListBoxEx::AddItemEx(const std::shared_ptr<clsUserInfo>& objUserInfo, int32_t lngAction, int32_t lngItemData) {
    try {
        if (mcntControl == nullptr) return 0;
        switch (lngAction) {
            case kActionClear:
                base::IgnoreErrors([&] { mcntControl->Clear(); });
                mlngTransient = {0};
                mobjRecords.Clear();
                break;
            case kActionPermanent: {
                RemoveTransient();
                AddItemMultiLine(objUserInfo ? objUserInfo->Text() : std::wstring(), lngItemData, -1);
                mlngTransient = {0};
                if (lngItemData > 0 && objUserInfo) {
                    const std::wstring key = base::DecStr(lngItemData);
                    if (auto stored = mobjRecords.Item(key)) {
                        stored->Update(*objUserInfo);
                    } else {
                        mobjRecords.Add(key, objUserInfo);
                    }
                }
                break;
            }
            case kActionTransient:
                RemoveTransient();
                mlngTransient = AddItemMultiLine(objUserInfo ? objUserInfo->Text() : std::wstring(), lngItemData, -1);
                break;
            case kActionRemoveTransient:
                if (!mlngTransient.empty() && mlngTransient[0] != 0) {
                    RemoveItemEx(mlngTransient);
                    mlngTransient = {0};
                }
                break;
            default:
                break;
        }
    } catch (...) {
    }
    return 0;
}

void clsListBoxEx::mcntControl_KeyPress(int16_t& intKeyAscii) {
    // Typed letters would jump the selection to a line starting with them.
    intKeyAscii = 0;
}

void clsListBoxEx::mcntControl_KeyUp(int16_t intKeyCode) {
    if (intKeyCode == ui::toolkit::kKeyReturn || intKeyCode == ui::toolkit::kKeySpace) ControlClic();
}

void clsListBoxEx::mcntControl_MouseUp(int16_t intButton) {
    if (intButton == ui::toolkit::kLeftButton) ControlClic();
}

void clsListBoxEx::mcntControl_MouseMove(ui::toolkit::Twips x, ui::toolkit::Twips y) {
    try {
        if (mfrmForm == nullptr || mcntControl == nullptr) return;
        // While a run shows the hourglass the pointer stays as it is.
        if (mfrmForm->Pointer() != MousePointer::Default) return;
        const ui::toolkit::ListHit hit = mcntControl->ItemFromPoint(x, y);
        const int32_t lngAnswer = (hit.Line & 0xFFFF) | (hit.Outside ? 0x10000 : 0);
        if (lngAnswer == mlngLastHover) return;
        mlngLastHover = lngAnswer;
        if (lngAnswer >= 0x10000) {
            SetHover(false, L"");
        } else {
            SetHover(true, mstrToolTip);
        }
    } catch (...) {
    }
}

void clsListBoxEx::SetHover(bool blnOn, std::wstring_view strToolTip) {
    if (mcntControl == nullptr) return;
    if (blnOn) {
        base::IgnoreErrors([&] { mcntControl->Pointer(MousePointer::Custom); });
        base::IgnoreErrors([&] { mcntControl->ToolTip(strToolTip); });
    } else {
        base::IgnoreErrors([&] { mcntControl->Pointer(mfrmForm ? mfrmForm->Pointer() : MousePointer::Default); });
        base::IgnoreErrors([&] { mcntControl->ToolTip(L""); });
    }
}

void clsListBoxEx::ControlClic() {
    try {
        if (mcntControl == nullptr) return;
        const int32_t lngIndex = mcntControl->ListIndex();
        const int32_t lngData = lngIndex < 0 ? 0 : mcntControl->ItemData(lngIndex);
        if (lngData == 0) return;
        const auto record = mobjRecords.Item(base::DecStr(lngData));
        if (!record) return;
        // Copies: the handler may clear the list and its records.
        const std::wstring strName = record->Name();
        const std::wstring strDescription = record->Description();
        const std::wstring strURL = record->URL();
        if (auto handler = ShowUserInfo) handler(strName, strDescription, strURL);
    } catch (...) {
    }
}
