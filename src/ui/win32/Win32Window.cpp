#include "ui/win32/Win32Window.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "ui/win32/Win32Button.h"
#include "ui/win32/Win32CheckBoxArray.h"
#include "ui/win32/Win32Label.h"
#include "ui/win32/Win32ListBox.h"
#include "ui/win32/Win32PictureBox.h"
#include "ui/win32/Win32Timer.h"
#include "ui/win32/Win32Toolkit.h"

namespace ui::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

// Resolution-aware calls of Windows 10, looked up so the program still
// starts on Windows 7 (where the whole session has one resolution).
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <typename Fn>
Fn User32Function(const char* strName) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, strName))) : nullptr;
}

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM lParam) {
    *reinterpret_cast<bool*>(lParam) = true;
    return 0;
}

bool FaceExists(const std::wstring& strFace, BYTE charset) {
    LOGFONTW query{};
    query.lfCharSet = charset;
    lstrcpynW(query.lfFaceName, strFace.c_str(), LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The face to use for a requested one: it, else Tahoma, else the face of
// the system's message boxes.
std::wstring ResolveFace(const std::wstring& strFace) {
    static std::map<std::wstring, std::wstring> resolved;
    auto found = resolved.find(strFace);
    if (found != resolved.end()) return found->second;
    std::wstring face = strFace;
    if (!FaceExists(face, DEFAULT_CHARSET)) {
        face = L"Tahoma";
        if (!FaceExists(face, DEFAULT_CHARSET)) {
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof metrics;
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
            face = metrics.lfMessageFont.lfFaceName;
        }
    }
    resolved.emplace(strFace, face);
    return face;
}

}  // namespace

Win32Window::Win32Window(Win32Toolkit& objToolkit, std::wstring strName) : mToolkit(objToolkit), mName(std::move(strName)) {
    mHwnd = CreateWindowExW(kExStyle, Win32Toolkit::kFormClass, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 400, 300,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (mHwnd != nullptr) {
        if (auto getDpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow")) {
            mDpi = getDpi(mHwnd);
        } else {
            HDC screen = GetDC(mHwnd);
            mDpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
            ReleaseDC(mHwnd, screen);
        }
        if (mDpi == 0) mDpi = 96;
        ApplyClientSize();
    }
    mToolkit.Register(*this);
}

Win32Window::~Win32Window() {
    for (auto& timer : mTimers) timer->Stop();
    if (mHwnd != nullptr) {
        HWND hwnd = mHwnd;
        for (Win32ControlBase* control : mLive) control->Detach();
        mHwnd = nullptr;
        DestroyWindow(hwnd);
    }
    mToolkit.Unregister(*this);
    mArrays.clear();
    mControls.clear();
    ReleaseFonts();
    for (auto& [color, brush] : mBrushes) DeleteObject(brush);
    for (HICON icon : mIcons) {
        if (icon != nullptr) DestroyIcon(icon);
    }
}

toolkit::Size Win32Window::InnerSize() const {
    return mClientSize;
}

void Win32Window::Caption(std::wstring_view strCaption) {
    mCaption = strCaption;
    if (mHwnd != nullptr) SetWindowTextW(mHwnd, mCaption.c_str());
}

void Win32Window::Pointer(toolkit::MousePointer pointer) {
    mPointer = pointer;
    RefreshCursor();
}

void Win32Window::BackColor(toolkit::Color color) {
    mBackColor = color;
    if (mHwnd != nullptr) InvalidateRect(mHwnd, nullptr, TRUE);
}

void Win32Window::ClientSize(const toolkit::Size& size) {
    mClientSize = size;
    ApplyClientSize();
}

void Win32Window::ApplyClientSize() {
    if (mHwnd == nullptr) return;
    const int width = Pixels(mClientSize.Width);
    const int height = Pixels(mClientSize.Height);
    RECT rc{0, 0, width, height};
    if (auto adjust = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi")) {
        adjust(&rc, kStyle, FALSE, kExStyle, mDpi);
    } else {
        AdjustWindowRectEx(&rc, kStyle, FALSE, kExStyle);
    }
    SetWindowPos(mHwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame's real size decides (a caption that wraps, other metrics).
    RECT client, outer;
    GetClientRect(mHwnd, &client);
    GetWindowRect(mHwnd, &outer);
    if (client.right != width || client.bottom != height) {
        SetWindowPos(mHwnd, nullptr, 0, 0, (outer.right - outer.left) + width - client.right,
                     (outer.bottom - outer.top) + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32Window::Icon(int32_t lngResourceId) {
    mIcon = lngResourceId;
    ApplyIcon();
}

void Win32Window::ApplyIcon() {
    if (mHwnd == nullptr || mIcon == 0) return;
    const int sizes[2] = {MulDiv(32, static_cast<int>(mDpi), 96), MulDiv(16, static_cast<int>(mDpi), 96)};
    const WPARAM kinds[2] = {ICON_BIG, ICON_SMALL};
    for (int i = 0; i < 2; ++i) {
        HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(mIcon), IMAGE_ICON,
                                                    sizes[i], sizes[i], 0));
        if (icon == nullptr) continue;
        SendMessageW(mHwnd, WM_SETICON, kinds[i], reinterpret_cast<LPARAM>(icon));
        if (mIcons[i] != nullptr) DestroyIcon(mIcons[i]);
        mIcons[i] = icon;
    }
}

void Win32Window::CancelButton(toolkit::Button* objButton) {
    mCancel = dynamic_cast<Win32Button*>(objButton);
}

toolkit::Label& Win32Window::AddLabel(std::wstring_view strName, toolkit::Container* objParent, int16_t intIndex) {
    auto label = std::make_unique<Win32Label>(*this, std::wstring(strName), intIndex, objParent ? *objParent : *this);
    Win32Label& made = *label;
    mControls.push_back(std::move(label));
    return made;
}

toolkit::Button& Win32Window::AddButton(std::wstring_view strName, toolkit::Container* objParent) {
    auto button = std::make_unique<Win32Button>(*this, std::wstring(strName), objParent ? *objParent : *this);
    Win32Button& made = *button;
    mControls.push_back(std::move(button));
    return made;
}

toolkit::ListBox& Win32Window::AddListBox(std::wstring_view strName, toolkit::Container* objParent) {
    auto list = std::make_unique<Win32ListBox>(*this, std::wstring(strName), objParent ? *objParent : *this);
    Win32ListBox& made = *list;
    mControls.push_back(std::move(list));
    return made;
}

toolkit::PictureBox& Win32Window::AddPictureBox(std::wstring_view strName, toolkit::Container* objParent) {
    auto frame = std::make_unique<Win32PictureBox>(*this, std::wstring(strName), objParent ? *objParent : *this);
    Win32PictureBox& made = *frame;
    mControls.push_back(std::move(frame));
    return made;
}

toolkit::CheckBoxArray& Win32Window::AddCheckBoxArray(std::wstring_view strName, toolkit::Container* objParent) {
    mArrays.push_back(std::make_unique<Win32CheckBoxArray>(*this, std::wstring(strName), objParent ? *objParent : *this));
    return *mArrays.back();
}

toolkit::Timer& Win32Window::AddTimer(std::wstring_view strName) {
    mTimers.push_back(std::make_unique<Win32Timer>(*this, std::wstring(strName), mTimers.size() + 1));
    return *mTimers.back();
}

void Win32Window::Show() {
    if (mHwnd == nullptr) return;
    if (!IsWindowVisible(mHwnd)) {
        // In the middle of the monitor's work area.
        RECT outer;
        GetWindowRect(mHwnd, &outer);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoW(MonitorFromWindow(mHwnd, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
            const RECT& work = monitor.rcWork;
            const int x = work.left + std::max(0L, ((work.right - work.left) - (outer.right - outer.left)) / 2);
            const int y = work.top + std::max(0L, ((work.bottom - work.top) - (outer.bottom - outer.top)) / 2);
            SetWindowPos(mHwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    ShowWindow(mHwnd, SW_SHOW);
    UpdateWindow(mHwnd);
    SetForegroundWindow(mHwnd);
}

bool Win32Window::Unload(toolkit::UnloadMode mode) {
    if (mHwnd == nullptr) return true;
    bool blnCancel = false;
    if (auto handler = OnQueryUnload) handler(blnCancel, mode);
    if (blnCancel) return false;
    if (mHwnd == nullptr) return true;  // the handler unloaded it already
    for (auto& timer : mTimers) {
        timer->Stop();
        if (timer->Enabled()) timer->Enabled(false);
    }
    HWND hwnd = mHwnd;
    for (Win32ControlBase* control : mLive) control->Detach();
    mHwnd = nullptr;
    mToolTips = nullptr;  // owned by the window, goes with it
    DestroyWindow(hwnd);
    if (auto handler = OnUnload) handler();
    return true;
}

int Win32Window::Pixels(toolkit::Twips twips) const {
    return toolkit::PixelsFromTwips(twips, static_cast<int32_t>(mDpi));
}

toolkit::Twips Win32Window::Twips(int lngPixels) const {
    return toolkit::TwipsFromPixels(lngPixels, static_cast<int32_t>(mDpi));
}

HWND Win32Window::ContainerHandle(const toolkit::Container& objContainer) const {
    if (&objContainer == this) return mHwnd;
    const auto* frame = dynamic_cast<const Win32PictureBox*>(&objContainer);
    return frame ? frame->Handle() : nullptr;
}

HFONT Win32Window::FontHandle(const toolkit::FontInfo& font) {
    const std::wstring key = font.Name + L"|" + std::to_wstring(font.Size) + L"|" + std::to_wstring(font.Weight) + L"|" +
                             std::to_wstring(font.Italic) + std::to_wstring(font.Underline) +
                             std::to_wstring(font.Strikethrough) + L"|" + std::to_wstring(font.Charset) + L"|" +
                             std::to_wstring(mDpi);
    auto found = mFonts.find(key);
    if (found != mFonts.end()) return found->second;
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.Size * mDpi / 72.0));
    lf.lfWeight = font.Weight;
    lf.lfItalic = font.Italic ? TRUE : FALSE;
    lf.lfUnderline = font.Underline ? TRUE : FALSE;
    lf.lfStrikeOut = font.Strikethrough ? TRUE : FALSE;
    const std::wstring face = ResolveFace(font.Name);
    // Asking for a character set the face lacks would make the system pick
    // another face; the texts are Unicode anyway.
    const BYTE charset = static_cast<BYTE>(font.Charset);
    lf.lfCharSet = FaceExists(face, charset) ? charset : DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    HFONT made = CreateFontIndirectW(&lf);
    mFonts.emplace(key, made);
    return made;
}

HBRUSH Win32Window::Brush(toolkit::Color color) {
    auto found = mBrushes.find(color);
    if (found != mBrushes.end()) return found->second;
    HBRUSH brush = CreateSolidBrush(Resolve(color));
    mBrushes.emplace(color, brush);
    return brush;
}

COLORREF Win32Window::Resolve(toolkit::Color color) {
    if (toolkit::IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

void Win32Window::Adopt(Win32ControlBase& objControl) {
    mLive.push_back(&objControl);
}

void Win32Window::Forget(Win32ControlBase& objControl) {
    std::erase(mLive, &objControl);
}

void Win32Window::SetToolTip(HWND hwndTool, const std::wstring& strText) {
    if (mHwnd == nullptr) return;
    if (mToolTips == nullptr) {
        if (strText.empty()) return;
        mToolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mHwnd, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        if (mToolTips == nullptr) return;
        SendMessageW(mToolTips, TTM_SETMAXTIPWIDTH, 0, Pixels(6000));
    }
    TOOLINFOW tool{};
    // The older record size: every version of the common controls takes it.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = mHwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwndTool);
    const bool known = SendMessageW(mToolTips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = mHwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwndTool);
    tool.lpszText = const_cast<wchar_t*>(strText.c_str());
    if (strText.empty()) {
        if (known) SendMessageW(mToolTips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (known) {
        SendMessageW(mToolTips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageW(mToolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Win32Window::SortTabOrder(HWND hwndParent) {
    // Win32 moves the focus in the order of the siblings.
    std::vector<Win32ControlBase*> ordered;
    for (Win32ControlBase* control : mLive) {
        if (control->HasTabIndex() && control->Handle() != nullptr && GetParent(control->Handle()) == hwndParent) {
            ordered.push_back(control);
        }
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](auto* a, auto* b) { return a->TabIndexValue() < b->TabIndexValue(); });
    HWND after = HWND_TOP;
    for (Win32ControlBase* control : ordered) {
        SetWindowPos(control->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = control->Handle();
    }
}

void Win32Window::PaintContainerBackground(HDC hdc, const toolkit::Container& objContainer, const RECT& rcArea) {
    if (&objContainer == this) {
        FillRect(hdc, &rcArea, Brush(mBackColor));
    } else if (auto* frame = dynamic_cast<Win32PictureBox*>(const_cast<toolkit::Container*>(&objContainer))) {
        frame->PaintBackground(hdc, rcArea);
    }
}

HCURSOR Win32Window::CursorFor(HWND hwnd) const {
    // Busy: the hourglass all over the window.
    if (mPointer == toolkit::MousePointer::Hourglass) return LoadCursorA(nullptr, IDC_WAIT);
    const Win32ControlBase* control = Win32ControlBase::FromHandle(hwnd);
    const toolkit::MousePointer pointer = control ? control->PointerValue() : mPointer;
    switch (pointer) {
        case toolkit::MousePointer::Custom: {
            if (control != nullptr && !control->CursorName().empty()) {
                if (HCURSOR custom = LoadCursorW(GetModuleHandleW(nullptr), control->CursorName().c_str())) return custom;
            }
            return LoadCursorA(nullptr, IDC_HAND);
        }
        case toolkit::MousePointer::Hourglass:
            return LoadCursorA(nullptr, IDC_WAIT);
        case toolkit::MousePointer::Arrow:
            return LoadCursorA(nullptr, IDC_ARROW);
        default:
            return nullptr;  // the control's own
    }
}

void Win32Window::RefreshCursor() const {
    if (mHwnd == nullptr) return;
    POINT pt;
    if (!GetCursorPos(&pt)) return;
    HWND under = WindowFromPoint(pt);
    if (under != nullptr && (under == mHwnd || IsChild(mHwnd, under))) {
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
}

void Win32Window::ReleaseFonts() {
    for (auto& [key, font] : mFonts) DeleteObject(font);
    mFonts.clear();
}

void Win32Window::OnDpiChanged(UINT dpi, const RECT* suggested) {
    mDpi = dpi == 0 ? 96 : dpi;
    // New fonts go to the controls before the old ones are deleted.
    std::map<std::wstring, HFONT> old = std::move(mFonts);
    mFonts.clear();
    if (suggested != nullptr) {
        SetWindowPos(mHwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyClientSize();
    for (Win32ControlBase* control : mLive) control->Layout();
    ApplyIcon();
    if (mToolTips != nullptr) SendMessageW(mToolTips, TTM_SETMAXTIPWIDTH, 0, Pixels(6000));
    for (auto& [key, font] : old) DeleteObject(font);
    InvalidateRect(mHwnd, nullptr, TRUE);
}

void Win32Window::OnCommand(WPARAM wParam, LPARAM lParam) {
    const WORD id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (auto* control = Win32ControlBase::FromHandle(reinterpret_cast<HWND>(lParam))) {
        control->OnCommand(code);
        return;
    }
    // Escape, through the dialog keys: the cancel button's click.
    if (id == IDCANCEL && lParam == 0) {
        if (mCancel != nullptr) mCancel->Click();
        return;
    }
    for (Win32ControlBase* control : mLive) {
        if (control->Handle() != nullptr && GetDlgCtrlID(control->Handle()) == id) {
            control->OnCommand(code);
            return;
        }
    }
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE && GetParent(hwnd) == nullptr) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    HWND root = GetAncestor(hwnd, GA_ROOT);
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(root ? root : hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool top = GetParent(hwnd) == nullptr;
    Win32ControlBase* control = Win32ControlBase::FromHandle(hwnd);
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (auto* child = Win32ControlBase::FromHandle(reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(child->OnColor(reinterpret_cast<HDC>(wParam)));
            }
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                if (HCURSOR cursor = CursorFor(reinterpret_cast<HWND>(wParam))) {
                    SetCursor(cursor);
                    return TRUE;
                }
            }
            break;
        case WM_ERASEBKGND:
            if (top) {
                RECT rc;
                GetClientRect(hwnd, &rc);
                FillRect(reinterpret_cast<HDC>(wParam), &rc, Brush(mBackColor));
            }
            return 1;  // frames and labels paint everything in WM_PAINT
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hwnd, &ps);
            if (auto* frame = dynamic_cast<Win32PictureBox*>(control)) {
                frame->PaintBackground(hdc, ps.rcPaint);
            } else if (auto* label = dynamic_cast<Win32Label*>(control)) {
                // Drawn off screen: a progress label changes many times a second.
                RECT rc;
                GetClientRect(hwnd, &rc);
                HDC buffer = CreateCompatibleDC(hdc);
                HBITMAP bitmap = CreateCompatibleBitmap(hdc, std::max(1L, rc.right), std::max(1L, rc.bottom));
                HGDIOBJ old = SelectObject(buffer, bitmap);
                label->Paint(buffer);
                BitBlt(hdc, 0, 0, rc.right, rc.bottom, buffer, 0, 0, SRCCOPY);
                SelectObject(buffer, old);
                DeleteObject(bitmap);
                DeleteDC(buffer);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            if (auto* label = dynamic_cast<Win32Label*>(control)) {
                SetCapture(hwnd);
                label->MouseDown();
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (auto* label = dynamic_cast<Win32Label*>(control)) {
                if (GetCapture() == hwnd) ReleaseCapture();
                RECT rc;
                GetClientRect(hwnd, &rc);
                const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                label->MouseUp(PtInRect(&rc, pt) != FALSE);
                return 0;
            }
            break;
        case WM_GETDLGCODE:
            if (dynamic_cast<Win32Label*>(control) != nullptr) return DLGC_STATIC;
            break;
        default:
            break;
    }
    if (!top) return DefWindowProcW(hwnd, message, wParam, lParam);

    switch (message) {
        case WM_CLOSE:
            // The close box, the system menu and Alt+F4 ask the program first.
            Unload(toolkit::UnloadMode::CloseBox);
            return 0;
        case WM_QUERYENDSESSION:
            return Unload(toolkit::UnloadMode::Session) ? TRUE : FALSE;
        case WM_TIMER:
            for (auto& timer : mTimers) {
                if (timer->Id() == wParam) {
                    timer->Tick();
                    return 0;
                }
            }
            break;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ACTIVATE:
            // The focus comes back to where it was when the user returns.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd, focus)) mLastFocus = focus;
            } else if (mLastFocus != nullptr && IsWindow(mLastFocus) && IsChild(hwnd, mLastFocus)) {
                SetFocus(mLastFocus);
                return 0;
            }
            break;
        case DM_GETDEFID: {
            // Enter presses the button that has the focus.
            HWND focus = GetFocus();
            if (dynamic_cast<Win32Button*>(Win32ControlBase::FromHandle(focus)) != nullptr) {
                return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
            }
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace ui::win32
