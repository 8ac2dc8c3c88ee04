// CDropdownColorButton: the colour drop-down of the lighting page. It shows
// the current colour, opens the palette pop-up when clicked, finishes the
// palette's choices and tells its page with WM_ITEM_VALUE_CHOSEN.
#pragma once
#include <memory>

#include "ColorPalette.h"
#include "DropdownListItem.h"

// The system colour dialog, replaceable so tests can script its answer:
// true (OK) with the chosen colour, false for Cancel.
using ColorDialogRunner = bool (*)(CWnd* parent, COLORREF initial, DWORD flags, COLORREF& chosen);
void SetColorDialogRunner(ColorDialogRunner runner);  // null restores the system dialog

class CDropdownColorButton : public CDropdownListItem {
public:
    CDropdownColorButton();
    ~CDropdownColorButton() override;

    virtual COLORREF GetColor() const { return m_color; }
    virtual void SetColor(COLORREF c);

    // The mask drawn over the box (pure red transparent). Kept as a 24-bit
    // copy: the transparent copy needs a bitmap without a palette or alpha.
    void SetMask(HBITMAP mask);

    bool PaletteOpen() const { return m_paletteOpen; }
    CFOPopupColorPaletteWnd* Popup() { return m_popup.get(); }
    COLORREF LastChosen() const { return m_lastChosen; }

    bool m_enabled = true;
    bool m_hasArrow = true;
    int m_popupWidth = 200, m_popupHeight = 150;

protected:
    void OnLButtonDown(UINT, CPoint);
    LRESULT OnSelect(WPARAM colour, LPARAM flag);
    LRESULT OnCancel(WPARAM colour, LPARAM);
    LRESULT OnCustom(WPARAM colour, LPARAM);
    void Draw(HDC dc) override;
    void DestroyPopup();
    void Notify(UINT msg, WPARAM w, LPARAM l, bool post);

    COLORREF m_color = 0xFFFFFF;
    bool m_paletteOpen = false;
    bool m_popupCreated = false;
    HWND m_notifyWindow = nullptr;
    std::unique_ptr<CFOPopupColorPaletteWnd> m_popup;
    COLORREF m_lastChosen = 0xFFFFFF;
    CBitmap m_maskCopy;

    DECLARE_MESSAGE_MAP()
};
