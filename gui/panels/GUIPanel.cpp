#include "GUIPanel.h"

#include "BitmapTools.h"
#include "SkinLoader.h"

BEGIN_MESSAGE_MAP(CGUIPanel, CDialog)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

namespace {

// The template of panels that name none: a borderless pop-up; the page
// gives the size.
const DLGTEMPLATE* PlainPanelTemplate()
{
    static CDialogTemplate tmpl(WS_POPUP, 0, 0, 0, 10, 10);
    return tmpl.Get();
}

}  // namespace

CGUIPanel::CGUIPanel(UINT templateId, const wchar_t* pageFile, CWnd* parent)
    : CDialog(templateId, parent), m_parent(parent), m_pageFile(pageFile), m_rect(0, 0, 0, 0)
{
    if (templateId == 0)
        InitModalIndirect(PlainPanelTemplate(), parent);
}

CGUIPanel::CGUIPanel(const RECT& rect, UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_parent(parent), m_rect(rect)
{
    if (templateId == 0)
        InitModalIndirect(PlainPanelTemplate(), parent);
}

CGUIPanel::~CGUIPanel()
{
    m_items.DeleteAll();
    if (m_keyShape)
        ::DeleteObject(m_keyShape);
}

BOOL CGUIPanel::CreatePlain(CWnd* parent, DWORD style)
{
    CDialogTemplate tmpl(style, 0, 0, 0, 10, 10);
    return CreateIndirect(tmpl.Get(), parent ? parent : m_parent);
}

int CGUIPanel::OnCreate(LPCREATESTRUCTW)
{
    // A panel object created a second time must not keep the first window's
    // items (their windows are gone).
    m_items.DeleteAll();
    m_background = m_mask = nullptr;
    m_region = nullptr;
    if (m_keyShape)
        ::DeleteObject(m_keyShape);
    m_keyShape = nullptr;

    if (!m_pageFile.IsEmpty()) {
        LoadSkinPage(&m_items, m_pageFile, this, false);
        CGUIItem* bg = m_items.FindById(ITEMID_BACKGROUND);
        if (bg && bg->m_type == ITEM_PANELBITMAP)
            m_background = static_cast<CPanelBitmap*>(bg);
        BITMAP bm{};
        if (m_background && m_background->GetBitmap(&bm)) {
            m_rect.right = bm.bmWidth;
            m_rect.bottom = bm.bmHeight;
            MoveWindow(0, 0, bm.bmWidth, bm.bmHeight, TRUE);
        }
        // Without a usable background the window keeps its template's size.
        CGUIItem* mask = m_items.FindById(ITEMID_MASK);
        if (mask && mask->m_type == ITEM_PANELBITMAP) {
            m_mask = static_cast<CPanelBitmap*>(mask);
            m_region = CreateRegionFromBitmap(*m_mask);
            if (m_region)
                SetWindowRgn(m_region, TRUE);
        }
    } else {
        MoveWindow(0, 0, m_rect.Width(), m_rect.Height(), TRUE);
    }
    m_loaded = true;
    return (int)Default();
}

void CGUIPanel::OnPaint()
{
    CPaintDC dc(this);  // validates even when there is nothing to draw
    DrawBackground(dc);
    // Only the screen's copy carries the key: captures keep the face as
    // the skin draws it.
    KeyOutsideShape(dc);
}

bool CGUIPanel::MakeLayeredWithKey(COLORREF key)
{
    using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = ::GetModuleHandleW(L"USER32.DLL");
    auto setLayered = user32 ? reinterpret_cast<SetLayeredFn>(::GetProcAddress(user32, "SetLayeredWindowAttributes"))
                             : nullptr;
    if (!setLayered || !m_hWnd)
        return false;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    if (!setLayered(m_hWnd, key, 0, LWA_COLORKEY))
        return false;
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    if (shape && ::GetWindowRgn(m_hWnd, shape) != ERROR) {
        if (m_keyShape)
            ::DeleteObject(m_keyShape);
        m_keyShape = shape;
        m_key = key;
        m_region = nullptr;  // the window frees it
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
    } else if (shape) {
        ::DeleteObject(shape);
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return true;
}

void CGUIPanel::KeyOutsideShape(HDC target)
{
    if (!m_keyShape || !target)
        return;
    CRect client;
    GetClientRect(&client);
    // The shape is in window coordinates, the paint in client ones.
    CRect window;
    GetWindowRect(&window);
    POINT origin{0, 0};
    ::ClientToScreen(m_hWnd, &origin);
    HRGN outside = ::CreateRectRgn(client.left, client.top, client.right, client.bottom);
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    HBRUSH brush = ::CreateSolidBrush(m_key);
    if (outside && shape && brush && ::CombineRgn(shape, m_keyShape, nullptr, RGN_COPY) != ERROR) {
        ::OffsetRgn(shape, window.left - origin.x, window.top - origin.y);
        if (::CombineRgn(outside, outside, shape, RGN_DIFF) > NULLREGION)
            ::FillRgn(target, outside, brush);
    }
    if (brush)
        ::DeleteObject(brush);
    if (shape)
        ::DeleteObject(shape);
    if (outside)
        ::DeleteObject(outside);
}

LRESULT CGUIPanel::OnPrintClient(WPARAM wParam, LPARAM)
{
    // Window captures ask for the face through WM_PRINTCLIENT.
    DrawBackground((HDC)wParam);
    return 0;
}

void CGUIPanel::DrawBackground(HDC target)
{
    if (!m_loaded || !target)
        return;
    CRect client;
    GetClientRect(&client);
    CDC mem;
    if (!mem.CreateCompatibleDC(target))
        return;
    CSelectGuard selected(mem, m_background ? m_background->m_hObject : nullptr);
    ::BitBlt(target, client.left, client.top, client.Width(), client.Height(), mem, 0, 0, SRCCOPY);
}

void CGUIPanel::OnDestroy()
{
    Default();
    // The pictures go with the window; their items stay in the list until
    // the panel is destroyed and then find no bitmap left to delete.
    if (m_background)
        m_background->DeleteObject();
    if (m_mask)
        m_mask->DeleteObject();
    m_region = nullptr;  // the window owned it
    m_loaded = false;
}

BOOL CPopupBox::OnInitDialog()
{
    BindItems();
    return CDialog::OnInitDialog();
}
