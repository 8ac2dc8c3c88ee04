// CGUIItem, the mix-in base of every skin item, and CGUIItems, the owning
// list of one page's items. A class that is also a window (or a CFont or
// CBitmap) derives from that class first and from CGUIItem second; lists
// always hold pointers to the CGUIItem part.
#pragma once
#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

class CWnd;

// Item type codes; callers check the code before casting an item to the
// class of that code. 4 and 6 are not used.
enum ItemType : int {
    ITEM_NONE = -1,
    ITEM_PANELBITMAP = 0,       // CPanelBitmap: page BACKGROUND / MASK
    ITEM_BITMAP = 1,            // CBitmapItem
    ITEM_BITMAPBTN = 2,         // CBitmapBtn
    ITEM_AVIBUTTON = 3,         // CAVIButton
    ITEM_VERTSLIDER = 5,        // CVertSlider
    ITEM_DMARKER = 7,           // CDMarker
    ITEM_SLIDERHMULTI = 8,      // CSliderHMulti
    ITEM_APMSLIDER = 9,         // CAPMSlider
    ITEM_MACRODISPLAY = 10,     // CMacroDisplayItem
    ITEM_TEXT = 11,             // CTextItem
    ITEM_FONT = 12,             // CFontItem
    ITEM_LANGTABLE = 13,        // CLangTable
    ITEM_DROPDOWNLIST = 14,     // CDropdownListItem
    ITEM_DROPDOWNCOLOR = 15,    // CDropdownColorButton
    ITEM_LISTPANEL = 16,        // CListPanelItem
    ITEM_BITMAPWINDOW = 17,     // CBitmapWindow
    ITEM_XLISTCTRL = 18,        // CXListCtrl
    ITEM_EDIT = 19,             // CEditItem
    ITEM_EDITSINGLEKEY = 20,    // CEditItemSingleKeyInput(MMO)
    ITEM_DPISTAGEWINDOW = 21,   // CDPIStageWindow
    ITEM_KEYBOARDDEF = 22,      // CKeyboardDef
    ITEM_KEYBOARDKEY = 23,      // CKeyboardKeyItem
    ITEM_KEYBOARDLAYOUT = 24,   // CKeyboardLayoutSetting
    ITEM_SLIDERTRACK = 25,      // CSliderTrack
    ITEM_PROGRESSPANEL = 26,    // CProgressPanelItem
};

// Item ids of a page's two panel bitmaps.
const int ITEMID_BACKGROUND = -2;
const int ITEMID_MASK = -3;

// The window field before the item's window exists.
#define GUIITEM_NO_WINDOW_YET ((HWND)(LONG_PTR)-1)

class CGUIItem {
public:
    CGUIItem() = default;
    virtual ~CGUIItem() = 0;
    CGUIItem(const CGUIItem&) = delete;
    CGUIItem& operator=(const CGUIItem&) = delete;

    // Shows or hides the item's window; nothing for an item without one
    // (window 0, or -1 while not yet created).
    virtual void Show(bool show);

    bool HasWindow() const { return m_window != nullptr && m_window != GUIITEM_NO_WINDOW_YET; }
    void SetItemPart(int id, int type, HWND window, CWnd* owner) {
        m_id = id;
        m_type = type;
        m_window = window;
        m_owner = owner;
    }

    int m_id = -1;
    int m_type = ITEM_NONE;
    HWND m_window = GUIITEM_NO_WINDOW_YET;
    CWnd* m_owner = nullptr;
};

// Owns its items; deletes them from the back when emptied or destroyed.
class CGUIItems {
public:
    CGUIItems() = default;
    ~CGUIItems() { DeleteAll(); }
    CGUIItems(const CGUIItems&) = delete;
    CGUIItems& operator=(const CGUIItems&) = delete;

    void Append(CGUIItem* item) {
        m_items.push_back(item);
        m_indexDirty = true;
    }
    // Takes the item over; should the list fail to grow, the item is freed.
    void Append(std::unique_ptr<CGUIItem> item) {
        m_items.reserve(m_items.size() + 1);
        Append(item.release());
    }
    // First item in list order with that id / window, or null.
    CGUIItem* FindById(int id) const;
    CGUIItem* FindByHwnd(HWND window) const;
    void ShowAll(bool show) const;
    void DeleteAll();
    // Empties the list without deleting its items (another list took them).
    void ReleaseAll() {
        m_items.clear();
        m_byWindow.clear();
        m_indexDirty = true;
    }

    size_t Count() const { return m_items.size(); }
    CGUIItem* At(size_t i) const { return i < m_items.size() ? m_items[i] : nullptr; }
    const std::vector<CGUIItem*>& Items() const { return m_items; }

private:
    void RebuildWindowIndex() const;

    std::vector<CGUIItem*> m_items;
    // Pages look their buttons and keys up by window on every notification
    // (they have control id 0): an index by window, rebuilt when the list
    // changed or an item's window is no longer the one filed.
    mutable std::unordered_map<HWND, CGUIItem*> m_byWindow;
    mutable bool m_indexDirty = true;
};
