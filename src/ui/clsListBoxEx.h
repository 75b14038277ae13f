#pragma once
// The result list: lines that carry a record (keyed by the line's item
// datum), multi-line entries, one group of transient progress lines that the
// next progress replaces, and a hand pointer with a tool tip while the mouse
// is over a line. Picking a line with a record raises ShowUserInfo.
//
// The list and this object may go in either order: the list's events reach
// this object only while it lives.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/clsUserInfoList.h"
#include "ui/toolkit/Window.h"

class clsListBoxEx {
public:
    // List actions of AddItemEx.
    static constexpr int32_t kActionClear = 1;
    static constexpr int32_t kActionPermanent = 2;
    static constexpr int32_t kActionTransient = 3;
    static constexpr int32_t kActionRemoveTransient = 4;

    clsListBoxEx();
    ~clsListBoxEx();
    clsListBoxEx(const clsListBoxEx&) = delete;
    clsListBoxEx& operator=(const clsListBoxEx&) = delete;

    const std::wstring& ToolTip() const { return mstrToolTip; }
    void ToolTip(std::wstring_view strToolTip) { mstrToolTip = strToolTip; }

    void Initialise(ui::toolkit::Window& frmForm, ui::toolkit::ListBox& cntControl);
    // Always 0.
    int32_t AddItemEx(const std::shared_ptr<clsUserInfo>& objUserInfo, int32_t lngAction = 0, int32_t lngItemData = 0);
    // lngIndexs: element 0 a count (not read), elements 1..n list positions,
    // removed from the last element down.
    void RemoveItemEx(const std::vector<int32_t>& lngIndexs);
    // Inserts the CR LF separated lines of strText from lngStartIndex on (-1:
    // at the end); the result holds their count in element 0 and their
    // positions after it.
    std::vector<int32_t> AddItemMultiLine(std::wstring_view strText, int32_t lngItemData = 0, int32_t lngStartIndex = 0);

    // Raised with the chosen line's record: Name, Description, URL.
    std::function<void(const std::wstring& strName, const std::wstring& strDescription, const std::wstring& strURL)>
        ShowUserInfo;

    const clsUserInfoList& Records() const { return mobjRecords; }
    const std::vector<int32_t>& TransientLines() const { return mlngTransient; }

private:
    void mcntControl_KeyPress(int16_t& intKeyAscii);
    void mcntControl_KeyUp(int16_t intKeyCode);
    void mcntControl_MouseUp(int16_t intButton);
    void mcntControl_MouseMove(ui::toolkit::Twips x, ui::toolkit::Twips y);
    void ControlClic();
    void SetHover(bool blnOn, std::wstring_view strToolTip);
    void RemoveTransient();

    ui::toolkit::Window* mfrmForm = nullptr;
    ui::toolkit::ListBox* mcntControl = nullptr;
    clsUserInfoList mobjRecords;
    std::vector<int32_t> mlngTransient{0};
    std::wstring mstrToolTip;
    int32_t mlngLastHover = 0;
    // What the list's event handlers hold: emptied when this object goes.
    std::shared_ptr<clsListBoxEx*> mobjSelf;
};
