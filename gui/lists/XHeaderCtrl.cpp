#include "XHeaderCtrl.h"

#include <algorithm>

#include "MemDC2.h"
#include "WidgetPaint.h"

HeaderItemParts LayoutHeaderItem(const RECT& item, SIZE bitmap, SIZE image)
{
    HeaderItemParts parts;
    const int midY = (item.top + item.bottom) / 2;
    int x = item.left;
    auto place = [&](SIZE s, RECT& out) {
        if (s.cx <= 0 || s.cy <= 0) {
            out = {x, midY, x, midY};
            return;
        }
        out = {x, midY - s.cy / 2, x + s.cx, midY - s.cy / 2 + s.cy};
        x += s.cx + kHeaderPartGap;
    };
    place(bitmap, parts.bitmap);
    place(image, parts.image);
    parts.text = {std::min(x, (int)item.right), item.top, item.right, item.bottom};
    return parts;
}

BEGIN_MESSAGE_MAP(CXHeaderCtrl, CHeaderCtrl)
    ON_MESSAGE(HDM_INSERTITEMW, OnInsertItem)
    ON_MESSAGE(HDM_INSERTITEMA, OnInsertItem)
    ON_MESSAGE(HDM_DELETEITEM, OnDeleteItem)
    ON_MESSAGE(HDM_SETIMAGELIST, OnSetImageList)
    ON_WM_SETCURSOR()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CXHeaderCtrl::Bind(HWND header)
{
    if (!header || !SubclassWindow(header)) return FALSE;
    ModifyStyle(0, HDS_NOSIZING);
    m_extra.assign((size_t)std::max(0, GetItemCount()), ItemExtra{});
    return TRUE;
}

int CXHeaderCtrl::Height() const
{
    if (!m_hWnd || !IsWindowVisible()) return 0;
    RECT r{};
    GetWindowRect(&r);
    return r.bottom - r.top;
}

LRESULT CXHeaderCtrl::OnInsertItem(WPARAM, LPARAM)
{
    const LRESULT at = Default();
    if (at >= 0 && (size_t)at <= m_extra.size()) m_extra.insert(m_extra.begin() + at, ItemExtra{});
    return at;
}

LRESULT CXHeaderCtrl::OnDeleteItem(WPARAM w, LPARAM)
{
    const LRESULT ok = Default();
    if (ok && w < m_extra.size()) m_extra.erase(m_extra.begin() + (ptrdiff_t)w);
    return ok;
}

LRESULT CXHeaderCtrl::OnSetImageList(WPARAM, LPARAM l)
{
    int cx = 0, cy = 0;
    if (l && ImageList_GetIconSize((HIMAGELIST)l, &cx, &cy)) m_imageSize = {cx, cy};
    else m_imageSize = {0, 0};
    return Default();
}

bool CXHeaderCtrl::SetCheckMark(int index, int state, HBITMAP unchecked, HBITMAP checked)
{
    if (index < 0 || (size_t)index >= m_extra.size()) return false;
    m_extra[(size_t)index].checkMark = state;
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!GetItem(index, &item)) return false;
    HBITMAP picture = state < 0 ? nullptr : state ? checked : unchecked;
    item.mask = HDI_FORMAT | HDI_BITMAP;
    item.fmt = picture ? (item.fmt | HDF_BITMAP) : (item.fmt & ~HDF_BITMAP);
    item.hbm = picture;
    SetItem(index, &item);
    Invalidate(FALSE);
    return true;
}

int CXHeaderCtrl::CheckMark(int index) const
{
    return index >= 0 && (size_t)index < m_extra.size() ? m_extra[(size_t)index].checkMark : -1;
}

void CXHeaderCtrl::DrawHeaderItem(CDC& dc, int index, const RECT& r)
{
    wchar_t text[260] = L"";
    HDITEMW item{};
    item.mask = HDI_FORMAT | HDI_TEXT | HDI_BITMAP | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = (int)(sizeof(text) / sizeof(text[0]));
    if (!GetItem(index, &item)) return;
    const HBITMAP bitmap = (item.fmt & HDF_BITMAP) ? item.hbm : nullptr;
    const int mark = CheckMark(index);
    // A check mark without pictures is drawn as a framed box of this size.
    const SIZE plainBox{11, 11};
    SIZE bitmapSize = bitmap ? BitmapSize(bitmap) : mark >= 0 ? plainBox : SIZE{0, 0};
    const auto images = (HIMAGELIST)SendMessage(HDM_GETIMAGELIST);
    const bool hasImage = images && (item.fmt & HDF_IMAGE) && item.iImage >= 0;
    const HeaderItemParts parts = LayoutHeaderItem(r, bitmapSize, hasImage ? m_imageSize : SIZE{0, 0});

    CSaveDCGuard saved(dc);
    dc.IntersectClipRect(&r);
    if (bitmap) {
        DrawBitmap(dc, bitmap, parts.bitmap.left, parts.bitmap.top);
    } else if (mark >= 0) {
        CBrush frame(m_textColour);
        RECT box = parts.bitmap;
        dc.FrameRect(&box, frame);
        if (mark) {
            ::InflateRect(&box, -3, -3);
            dc.FillRect(&box, frame);
        }
    }
    if (hasImage) ImageList_Draw(images, item.iImage, dc, parts.image.left, parts.image.top, ILD_TRANSPARENT);
    RECT t = parts.text;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_textColour);
    dc.SelectObject(WidgetFont(GetFont()));
    dc.DrawText(text, &t, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CXHeaderCtrl::Draw(HDC target)
{
    RECT client{};
    GetClientRect(&client);
    CDC dc;
    dc.Attach(target);
    dc.FillSolidRect(&client, m_backColour);
    const int count = GetItemCount();
    std::vector<int> order((size_t)std::max(0, count));
    for (int i = 0; i < count; ++i) order[(size_t)i] = i;
    if (count > 0) SendMessage(HDM_GETORDERARRAY, (WPARAM)count, (LPARAM)order.data());
    for (int index : order) {
        RECT r{};
        if (!GetItemRect(index, &r)) continue;
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_LPARAM;
        GetItem(index, &item);
        if (item.fmt & HDF_OWNERDRAW) {
            DRAWITEMSTRUCT di{};
            di.CtlType = ODT_HEADER;
            di.CtlID = (UINT)GetDlgCtrlID();
            di.itemID = (UINT)index;
            di.itemAction = ODA_DRAWENTIRE;
            di.hwndItem = m_hWnd;
            di.hDC = target;
            di.rcItem = r;
            di.itemData = (ULONG_PTR)item.lParam;
            ::SendMessageW(::GetParent(m_hWnd), WM_DRAWITEM, (WPARAM)di.CtlID, (LPARAM)&di);
        } else {
            DrawHeaderItem(dc, index, r);
        }
    }
    dc.Detach();
}

void CXHeaderCtrl::OnPaint()
{
    CPaintDC paint(this);
    RECT client{};
    GetClientRect(&client);
    CMemDC2 mem(&paint, &client);
    Draw(mem);
}

LRESULT CXHeaderCtrl::OnPrintClient(WPARAM w, LPARAM)
{
    Draw((HDC)w);
    return 0;
}
