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

CGUIPanel::~CGUIPanel() { m_items.DeleteAll(); }

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
