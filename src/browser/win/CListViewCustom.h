// A report-view list control of the plug-in: rows of a fixed height (through an empty image
// list) in two alternating colours; with PaintSelection it paints selected rows itself and
// asks for each cell's drawing, which its parent does.
#pragma once

#include "utils/win/WindowImplT.h"

#include <windows.h>

#include <commctrl.h>

namespace Portico {

template <bool PaintSelection, int RowHeight>
class CListViewCustom : public Utils::WindowImplT<CListViewCustom<PaintSelection, RowHeight>> {
public:
    ~CListViewCustom() override {
        if (images)
            ImageList_Destroy(images);
    }

    bool Subclass(HWND list) {
        if (!this->SubclassWindow(list))
            return false;
        // An image list one pixel wide sets the row height; it holds no image. It is ours, not
        // the control's: a list made and destroyed again (the chat-room panel's) frees it once.
        SetWindowLongPtrW(list, GWL_STYLE,
                          GetWindowLongPtrW(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
        if (images)
            ImageList_Destroy(images);
        images = ImageList_Create(1, RowHeight, ILC_COLOR32, 1, 0);
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
        return true;
    }

    void SetColours(COLORREF even, COLORREF odd) {
        evenColour = even;
        oddColour = odd;
    }

    PORTICO_BEGIN_MSG_MAP()
    PORTICO_MESSAGE_HANDLER(Utils::kReflectedBase + WM_NOTIFY, OnReflectedNotify)
    PORTICO_END_MSG_MAP()

private:
    LRESULT OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled) {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.hdr.code != UINT(NM_CUSTOMDRAW)) {
            handled = false;
            return 0;
        }
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
            return ItemPrePaint(*draw);
        return CDRF_DODEFAULT;
    }

    LRESULT ItemPrePaint(NMLVCUSTOMDRAW& draw) {
        const int row = int(draw.nmcd.dwItemSpec);
        const COLORREF rowColour = row % 2 == 0 ? evenColour : oddColour;
        draw.clrTextBk = rowColour;
        if (!PaintSelection)
            return CDRF_DODEFAULT;
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(this->Hwnd(), LVM_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&bounds));
        COLORREF fill = rowColour;
        if (SendMessageW(this->Hwnd(), LVM_GETITEMSTATE, WPARAM(row), LVIS_SELECTED))
            fill = GetSysColor(GetFocus() == this->Hwnd() ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        SetBkColor(draw.nmcd.hdc, fill);
        ExtTextOutW(draw.nmcd.hdc, 0, 0, ETO_OPAQUE, &bounds, nullptr, 0, nullptr);
        return CDRF_NOTIFYSUBITEMDRAW;
    }

    COLORREF evenColour = RGB(255, 255, 255);
    COLORREF oddColour = RGB(255, 255, 255);
    HIMAGELIST images = nullptr;
};

} // namespace Portico
