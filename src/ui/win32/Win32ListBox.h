#pragma once
// The result list: a LISTBOX whose lines and item data are also kept here,
// and whose mouse and key messages become the seam's events.

#include <string>
#include <vector>

#include "ui/toolkit/ListBox.h"
#include "ui/win32/Win32ControlBase.h"

namespace ui::win32 {

class Win32ListBox final : public Win32Control<toolkit::ListBox> {
public:
    Win32ListBox(Win32Window& objWindow, std::wstring strName, toolkit::Container& objParent);
    ~Win32ListBox() override;

    int32_t ListCount() const override { return static_cast<int32_t>(mLines.size()); }
    void AddItem(std::wstring_view strText, int32_t lngIndex = -1) override;
    void RemoveItem(int32_t lngIndex) override;
    void Clear() override;
    std::wstring List(int32_t lngIndex) const override;
    int32_t ItemData(int32_t lngIndex) const override;
    void ItemData(int32_t lngIndex, int32_t lngData) override;
    int32_t ListIndex() const override;
    void ListIndex(int32_t lngIndex) override;
    toolkit::ListHit ItemFromPoint(toolkit::Twips x, toolkit::Twips y) const override;

    void OnCommand(WORD wCode) override;
    void Detach() override;

private:
    struct Line {
        std::wstring Text;
        int32_t Data = 0;
    };
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void MouseEvent(UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<Line> mLines;
    int32_t mListIndex = -1;
    bool mTrackingLeave = false;
};

}  // namespace ui::win32
