#include "ui/win32/Win32ListBox.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/VbError.h"
#include "ui/win32/Win32Window.h"

namespace ui::win32 {

namespace {

int16_t ShiftState() {
    int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

int16_t ButtonsOf(WPARAM wParam) {
    int16_t buttons = 0;
    if ((wParam & MK_LBUTTON) != 0) buttons |= toolkit::kLeftButton;
    if ((wParam & MK_RBUTTON) != 0) buttons |= toolkit::kRightButton;
    if ((wParam & MK_MBUTTON) != 0) buttons |= 4;
    return buttons;
}

}  // namespace

Win32ListBox::Win32ListBox(Win32Window& objWindow, std::wstring strName, toolkit::Container& objParent)
    : Win32Control(objWindow, std::move(strName), -1, objParent) {
    mFocusable = true;
    mBackColor = toolkit::kColorWindowBackground;
    mForeColor = toolkit::kColorWindowText;
    // A single-line border, so that a list pushed a pixel past its frame's
    // edges loses its side borders to the frame.
    mBorder = true;
    mAppearance = toolkit::Appearance::Flat;
    Create(L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | WS_VSCROLL);
    if (mHwnd != nullptr) SetWindowSubclass(mHwnd, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

Win32ListBox::~Win32ListBox() {
    if (mHwnd != nullptr) RemoveWindowSubclass(mHwnd, SubclassProc, 1);
}

void Win32ListBox::AddItem(std::wstring_view strText, int32_t lngIndex) {
    if (lngIndex < -1 || lngIndex > ListCount()) base::Raise(base::vbErrInvalidArgument);
    const std::size_t at = lngIndex == -1 ? mLines.size() : static_cast<std::size_t>(lngIndex);
    mLines.insert(mLines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::wstring(strText), 0});
    if (mListIndex >= 0 && static_cast<int32_t>(at) <= mListIndex) ++mListIndex;
    if (mHwnd != nullptr) {
        const std::wstring text(strText);
        SendMessageW(mHwnd, LB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void Win32ListBox::RemoveItem(int32_t lngIndex) {
    if (lngIndex < 0 || lngIndex >= ListCount()) base::Raise(base::vbErrInvalidArgument);
    mLines.erase(mLines.begin() + lngIndex);
    if (mListIndex == lngIndex) {
        mListIndex = -1;
    } else if (mListIndex > lngIndex) {
        --mListIndex;
    }
    if (mHwnd != nullptr) SendMessageW(mHwnd, LB_DELETESTRING, static_cast<WPARAM>(lngIndex), 0);
}

void Win32ListBox::Clear() {
    mLines.clear();
    mListIndex = -1;
    if (mHwnd != nullptr) SendMessageW(mHwnd, LB_RESETCONTENT, 0, 0);
}

std::wstring Win32ListBox::List(int32_t lngIndex) const {
    if (lngIndex < 0 || lngIndex >= ListCount()) return {};
    return mLines[static_cast<std::size_t>(lngIndex)].Text;
}

int32_t Win32ListBox::ItemData(int32_t lngIndex) const {
    CheckIndex(lngIndex, ListCount());
    return mLines[static_cast<std::size_t>(lngIndex)].Data;
}

void Win32ListBox::ItemData(int32_t lngIndex, int32_t lngData) {
    CheckIndex(lngIndex, ListCount());
    mLines[static_cast<std::size_t>(lngIndex)].Data = lngData;
    if (mHwnd != nullptr) SendMessageW(mHwnd, LB_SETITEMDATA, static_cast<WPARAM>(lngIndex), lngData);
}

int32_t Win32ListBox::ListIndex() const {
    if (mHwnd == nullptr) return mListIndex;
    const LRESULT selected = SendMessageW(mHwnd, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int32_t>(selected);
}

void Win32ListBox::ListIndex(int32_t lngIndex) {
    if (lngIndex < -1 || lngIndex >= ListCount()) base::Raise(380, {}, L"Invalid property value");
    mListIndex = lngIndex;
    if (mHwnd != nullptr) SendMessageW(mHwnd, LB_SETCURSEL, static_cast<WPARAM>(lngIndex), 0);
}

toolkit::ListHit Win32ListBox::ItemFromPoint(toolkit::Twips x, toolkit::Twips y) const {
    toolkit::ListHit hit;
    if (mHwnd == nullptr) return hit;
    const int px = mWindow.Pixels(x);
    const int py = mWindow.Pixels(y);
    const LRESULT answer = SendMessageW(mHwnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(px, py));
    hit.Outside = HIWORD(answer) != 0 || px < 0 || py < 0;
    hit.Line = mLines.empty() ? -1 : static_cast<int32_t>(LOWORD(answer));
    return hit;
}

void Win32ListBox::OnCommand(WORD wCode) {
    if (wCode == LBN_SELCHANGE) {
        mListIndex = ListIndex();
        if (auto handler = OnClick) handler();
    } else if (wCode == LBN_DBLCLK) {
        if (auto handler = OnDblClick) handler();
    }
}

void Win32ListBox::Detach() {
    mListIndex = ListIndex();
    if (mHwnd != nullptr) RemoveWindowSubclass(mHwnd, SubclassProc, 1);
    Win32ControlBase::Detach();
}

void Win32ListBox::MouseEvent(UINT message, WPARAM wParam, LPARAM lParam) {
    const toolkit::Twips x = mWindow.Twips(GET_X_LPARAM(lParam));
    const toolkit::Twips y = mWindow.Twips(GET_Y_LPARAM(lParam));
    switch (message) {
        case WM_MOUSEMOVE:
            if (auto handler = OnMouseMove) handler(ButtonsOf(wParam), ShiftState(), x, y);
            break;
        case WM_LBUTTONUP:
            if (auto handler = OnMouseUp) handler(toolkit::kLeftButton, ShiftState(), x, y);
            break;
        case WM_RBUTTONUP:
            if (auto handler = OnMouseUp) handler(toolkit::kRightButton, ShiftState(), x, y);
            break;
        default:
            break;
    }
}

LRESULT Win32ListBox::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (!mTrackingLeave) {
                TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, 0};
                mTrackingLeave = TrackMouseEvent(&track) != FALSE;
            }
            MouseEvent(message, wParam, lParam);
            break;
        case WM_MOUSELEAVE:
            // The list hears nothing once the mouse has gone; leaving is
            // told as a move to a point outside it, so the hover ends.
            mTrackingLeave = false;
            MouseEvent(WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1));
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            // The selection is made first, as the user sees it.
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            MouseEvent(message, wParam, lParam);
            return result;
        }
        case WM_CHAR: {
            int16_t key = static_cast<int16_t>(wParam);
            if (auto handler = OnKeyPress) handler(key);
            if (key == 0) return 0;
            wParam = static_cast<WPARAM>(static_cast<uint16_t>(key));
            break;
        }
        case WM_KEYUP: {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            int16_t key = static_cast<int16_t>(wParam);
            if (auto handler = OnKeyUp) handler(key, ShiftState());
            return result;
        }
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Win32ListBox::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data) {
    return reinterpret_cast<Win32ListBox*>(data)->HandleMessage(hwnd, message, wParam, lParam);
}

}  // namespace ui::win32
