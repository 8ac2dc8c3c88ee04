// The modal list-panel pop-up and the seam through which every list panel
// and drop-down opens it.
#include "ListPanel.h"

#include "WidgetMessages.h"

static ListPanelPopupRunner s_runner = nullptr;

void SetListPanelPopupRunner(ListPanelPopupRunner runner) { s_runner = runner; }

ListPanelPopupResult RunListPanelPopup(const ListPanelPopupRequest& request)
{
    if (s_runner) return s_runner(request);
    ListPanelPopupResult r;
    if (!request.rows || !request.look) return r;
    CListPanel panel(request);
    r.row = (int)panel.DoModal();
    r.subRow = r.row >= 0 ? panel.ChosenSubRow() : -1;
    return r;
}

BEGIN_MESSAGE_MAP(CListPanel, CDialog)
    ON_MESSAGE(WM_LISTPANEL_CHOSEN, OnChosen)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

static int Width(const RECT& r) { return r.right - r.left; }
static int Height(const RECT& r) { return r.bottom - r.top; }

CListPanel::CListPanel(const ListPanelPopupRequest& request)
    : m_request(request),
      m_template(WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, 10, 10)
{
}

CListPanel::~CListPanel()
{
    if (GetSafeHwnd()) DestroyWindow();
}

INT_PTR CListPanel::DoModal()
{
    CWnd* owner = m_request.owner ? m_request.owner->GetTopLevelParent() : nullptr;
    InitModalIndirect(m_template.Get(), owner);
    return CDialog::DoModal();
}

BOOL CListPanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    const RECT& sr = m_request.screenRect;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, sr.left, sr.top, Width(sr), Height(sr), SWP_SHOWWINDOW);
    const ListPanelLook& look = *m_request.look;
    int b = look.borderWidth > 0 ? look.borderWidth : 1;
    RECT inner{b, b, Width(sr) - b - look.scroll.width, Height(sr) - b};
    m_list.m_resultWindow = m_hWnd;
    if (m_list.Create(this, inner, 1, look)) {
        m_list.SetRows(*m_request.rows, m_request.sorted);
        m_list.SetFocus();
    }
    return FALSE;  // the focus is set
}

LRESULT CListPanel::OnChosen(WPARAM sub, LPARAM row)
{
    m_chosenSub = (int)(INT_PTR)sub;
    EndDialog((int)row);
    return 0;
}

static void PaintFrame(HDC target, const RECT& client, const ListPanelLook& look)
{
    CDC dc;
    dc.Attach(target);
    dc.FillSolidRect(&client, look.colours.border);
    dc.Detach();
}

void CListPanel::OnPaint()
{
    CPaintDC dc(this);
    RECT c{};
    GetClientRect(&c);
    PaintFrame(dc, c, *m_request.look);
}

LRESULT CListPanel::OnPrintClient(WPARAM w, LPARAM)
{
    RECT c{};
    GetClientRect(&c);
    PaintFrame((HDC)w, c, *m_request.look);
    return 0;
}
