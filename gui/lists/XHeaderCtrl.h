// CXHeaderCtrl: the skinned header of the multi-column list, bound to the
// list-view's own header window. Columns keep their widths (no sizing style,
// no resize cursor), and the header paints itself off screen: its background,
// then each item's bitmap, image-list image and text side by side. A column
// whose header shows a check mark keeps its state in the item's extended
// record; the mark is the item's bitmap.
#pragma once
#include <vector>

#include "CommonControls.h"

// Where the parts of one header item go: side by side from the left, each
// part followed by a gap; a missing part (zero size) takes no room. All
// parts are centred vertically in the item.
constexpr int kHeaderPartGap = 6;
struct HeaderItemParts {
    RECT bitmap{};
    RECT image{};
    RECT text{};
};
HeaderItemParts LayoutHeaderItem(const RECT& item, SIZE bitmap, SIZE image);

class CXHeaderCtrl : public CHeaderCtrl {
public:
    // Per header item, inserted and removed with the items.
    struct ItemExtra {
        int checkMark = -1;  // -1: no check mark, else 0 or 1
    };

    // Binds the list-view's header window and makes its columns fixed.
    BOOL Bind(HWND header);

    // The check mark of an item and the pictures that show it (none: a
    // plain framed box is drawn). False for an unknown item.
    bool SetCheckMark(int index, int state, HBITMAP unchecked, HBITMAP checked);
    int CheckMark(int index) const;
    int ExtraCount() const { return (int)m_extra.size(); }
    SIZE ImageSize() const { return m_imageSize; }
    int Height() const;

    COLORREF m_backColour = 0xFEFEFE;
    COLORREF m_textColour = 0xFFFFFF;

protected:
    LRESULT OnInsertItem(WPARAM w, LPARAM l);
    LRESULT OnDeleteItem(WPARAM w, LPARAM l);
    LRESULT OnSetImageList(WPARAM w, LPARAM l);
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return TRUE; }
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    void Draw(HDC dc);
    void DrawHeaderItem(CDC& dc, int index, const RECT& r);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<ItemExtra> m_extra;
    SIZE m_imageSize{};
};
