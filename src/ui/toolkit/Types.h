#pragma once
// Value types of the window toolkit seam. Geometry is in twips (1440 per inch,
// 15 per pixel at 96 dots per inch) everywhere above the seam; each toolkit
// converts to its own units.

#include <cstdint>
#include <string>

namespace ui::toolkit {

using Twips = int32_t;

// Twips to pixels at a given resolution (96 dots per inch: 15 twips a pixel),
// rounded to the nearest pixel.
inline constexpr int32_t PixelsFromTwips(Twips twips, int32_t lngDpi = 96) {
    const int64_t scaled = static_cast<int64_t>(twips) * lngDpi;
    return static_cast<int32_t>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}
inline constexpr Twips TwipsFromPixels(int32_t lngPixels, int32_t lngDpi = 96) {
    return lngDpi > 0 ? static_cast<Twips>((static_cast<int64_t>(lngPixels) * 1440 + lngDpi / 2) / lngDpi) : 0;
}

struct Point {
    Twips X = 0;
    Twips Y = 0;
};

struct Size {
    Twips Width = 0;
    Twips Height = 0;
};

struct Rect {
    Twips Left = 0;
    Twips Top = 0;
    Twips Width = 0;
    Twips Height = 0;
    bool operator==(const Rect&) const = default;
};

// A colour as 0x00BBGGRR, or a system colour: kSystemColorFlag plus the
// system's colour index (resolved by the toolkit, GetSysColor on Windows).
using Color = uint32_t;
inline constexpr Color kSystemColorFlag = 0x80000000u;
inline constexpr Color kColorWindowBackground = kSystemColorFlag | 5;
inline constexpr Color kColorWindowText = kSystemColorFlag | 8;
inline constexpr Color kColorButtonFace = kSystemColorFlag | 15;
inline constexpr Color kColorButtonShadow = kSystemColorFlag | 16;
inline constexpr Color kColorButtonText = kSystemColorFlag | 18;
inline constexpr Color kColor3DDarkShadow = kSystemColorFlag | 21;
inline constexpr Color kColorRed = 0x0000FF;
inline constexpr Color kColorBlue = 0xFF0000;
inline constexpr bool IsSystemColor(Color color) { return (color & kSystemColorFlag) != 0; }

inline constexpr int16_t kFontWeightNormal = 400;
inline constexpr int16_t kFontWeightBold = 700;
inline constexpr int16_t kCharsetCentralEurope = 238;

struct FontInfo {
    std::wstring Name = L"Verdana";
    double Size = 9.75;  // points
    int16_t Weight = kFontWeightNormal;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int16_t Charset = kCharsetCentralEurope;

    bool Bold() const { return Weight >= kFontWeightBold; }
    void Bold(bool blnBold) { Weight = blnBold ? kFontWeightBold : kFontWeightNormal; }
    bool operator==(const FontInfo&) const = default;
};

// Mouse pointer codes; Custom shows the control's mouse icon.
enum class MousePointer : int16_t {
    Default = 0,
    Arrow = 1,
    Hourglass = 11,
    Custom = 99,
};

enum class Appearance : int16_t { Flat = 0, ThreeD = 1 };

// Why a window is asked to unload.
enum class UnloadMode : int16_t {
    CloseBox = 0,     // the user: close box, system menu, Alt+F4
    Code = 1,         // the program's own Unload
    Session = 2,      // the session ends (log-off, closed terminal)
    TaskManager = 3,  // another program asks (SIGTERM, task manager)
};

// Mouse buttons and keys as the events report them.
inline constexpr int16_t kLeftButton = 1;
inline constexpr int16_t kRightButton = 2;
inline constexpr int16_t kKeyReturn = 13;
inline constexpr int16_t kKeySpace = 32;
inline constexpr int16_t kKeyEscape = 27;

// Message boxes: buttons and icon in the flags, the answer a button id.
inline constexpr uint32_t kMsgOkOnly = 0x0;
inline constexpr uint32_t kMsgOkCancel = 0x1;
inline constexpr uint32_t kMsgExclamation = 0x30;
inline constexpr uint32_t kMsgInformation = 0x40;
inline constexpr int32_t kMsgAnswerOk = 1;
inline constexpr int32_t kMsgAnswerCancel = 2;

// Check box values.
inline constexpr int16_t kUnchecked = 0;
inline constexpr int16_t kChecked = 1;

}  // namespace ui::toolkit
