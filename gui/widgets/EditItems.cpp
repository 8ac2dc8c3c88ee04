#include "EditItems.h"

#include "DigitsOnlyFilter.h"
#include "RawInput.h"
#include "WidgetMessages.h"

// ---- CEditItem ---------------------------------------------------------

CEditItem::CEditItem() { m_type = ITEM_EDIT; }

CEditItem::~CEditItem()
{
    if (m_hWnd) DestroyWindow();
    if (m_borderPanel.m_hWnd) m_borderPanel.DestroyWindow();
}

BEGIN_MESSAGE_MAP(CEditItem, CEdit)
    ON_WM_CREATE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, OnUpdate)
    ON_CONTROL_REFLECT_EX(EN_KILLFOCUS, OnLeft)
    ON_WM_RBUTTONDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CEditItem::Create(DWORD style, const RECT& r, CWnd* parent, UINT id)
{
    RECT outer = r;
    ::InflateRect(&outer, m_borderWidth, m_borderWidth);
    m_borderPanel.borderWidth = m_borderWidth;
    m_borderPanel.borderInset = m_borderWidth / 2;
    m_borderPanel.borderOutset = (m_borderWidth + 1) / 2;
    if (!m_borderPanel.Create(outer, parent)) return FALSE;
    SetOwner(parent);
    RECT inner;
    m_borderPanel.GetClientRect(&inner);
    ::InflateRect(&inner, -m_borderWidth, -m_borderWidth);
    if (!CEdit::Create(style, inner, &m_borderPanel, id)) return FALSE;
    m_window = m_hWnd;
    return TRUE;
}

int CEditItem::OnCreate(LPCREATESTRUCTW)
{
    const int result = (int)Default();
    m_backBrush.CreateSolidBrush(m_backColour);
    m_disabledBackBrush.CreateSolidBrush(m_disabledBackColour);
    if (m_font) SetFont(m_font, TRUE);
    m_borderPanel.SetBorderColour(m_borderColour);
    m_borderPanel.SetBackColour(m_backColour);
    return result;
}

void CEditItem::SetItemFont(HFONT font)
{
    m_font = font;
    if (m_hWnd) SetFont(font, TRUE);
}

void CEditItem::Show(bool show)
{
    const int cmd = show ? SW_SHOW : SW_HIDE;
    if (m_borderPanel.m_hWnd) m_borderPanel.ShowWindow(cmd);
    if (m_hWnd) ShowWindow(cmd);
}

HBRUSH CEditItem::CtlColor(CDC* dc, UINT)
{
    const bool enabled = IsWindowEnabled();
    dc->SetTextColor(enabled ? m_textColour : m_disabledTextColour);
    dc->SetBkColor(enabled ? m_backColour : m_disabledBackColour);
    ::SetDCPenColor(dc->GetSafeHdc(), enabled ? m_borderColour : m_disabledBorderColour);
    ::SetDCBrushColor(dc->GetSafeHdc(), enabled ? m_borderColour : m_disabledBorderColour);
    return (HBRUSH)(enabled ? m_backBrush.m_hObject : m_disabledBackBrush.m_hObject);
}

BOOL CEditItem::OnChange()
{
    if (CWnd* owner = GetOwner()) owner->SendMessage(WM_EDITITEM_CHANGED, 0, (LPARAM)m_hWnd);
    return TRUE;
}

BOOL CEditItem::OnLeft()
{
    // Owners check a finished entry here rather than on every keystroke.
    if (CWnd* owner = GetOwner()) owner->SendMessage(WM_EDITITEM_LEFT, 0, (LPARAM)m_hWnd);
    return TRUE;
}

BOOL CEditItem::PreTranslateMessage(MSG* msg)
{
    m_toolTip.Relay(msg);
    if (m_digitsOnly && msg->hwnd == m_hWnd) {
        int selStart = 0, selEnd = 0;
        GetSel(selStart, selEnd);
        if (DigitsOnlySwallows(msg->message, msg->wParam, GetWindowText(), selStart, selEnd, m_minValue, m_maxValue))
            return TRUE;
    }
    return CEdit::PreTranslateMessage(msg);
}

void CEditItem::ShowTextAtEnd(const CString& text)
{
    SetWindowText(text);
    const int n = GetWindowTextLength();
    SendMessage(EM_SETSEL, (WPARAM)n, (LPARAM)n);
    SendMessage(EM_SCROLLCARET);
}

// A capture edit's registration ends with its window, whoever destroys it
// (a page destroyed first takes its children with it before any destructor
// runs): a registration left on a dead window refuses every later one.
void CEditItem::OnDestroy()
{
    ReleaseRawInputHeldBy(m_hWnd);
    Default();
}

// ---- CEditItemSingleKeyInput -------------------------------------------

BEGIN_MESSAGE_MAP(CEditItemSingleKeyInput, CEditItem)
    ON_WM_INPUT()
END_MESSAGE_MAP()

void CEditItemSingleKeyInput::OnRawInput(UINT, HRAWINPUT input)
{
    RAWKEYBOARD raw;
    if (ReadRawKeyboard(input, raw) && KeyEventFromRawKeyboard(m_key, &raw)) ShowTextAtEnd(m_key.name);
    Default();
}

BOOL CEditItemSingleKeyInput::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP) return CEditItem::PreTranslateMessage(msg);
    const int swallow = KeyEventFromKeyMessage(m_key, *msg);
    if (swallow != 1) ShowTextAtEnd(m_key.name);
    return swallow;
}

// ---- CEditItemSingleKeyInputMMO ----------------------------------------

BEGIN_MESSAGE_MAP(CEditItemSingleKeyInputMMO, CEditItem)
    ON_WM_INPUT()
END_MESSAGE_MAP()

void CEditItemSingleKeyInputMMO::OnRawInput(UINT, HRAWINPUT input)
{
    RAWKEYBOARD raw;
    if (ReadRawKeyboard(input, raw)) HandleRawKey(raw);
    Default();
}

void CEditItemSingleKeyInputMMO::HandleRawKey(const RAWKEYBOARD& raw)
{
    KeyEventFromRawKeyboard(m_key, &raw);
    // The fake Shift around extended keys and the first half of Pause.
    if (raw.VKey == 0xFF && m_key.currentScanCode == 0x2A) return;
    if (raw.VKey == VK_PAUSE && m_key.currentScanCode == 0x1D) return;
    m_capture.Feed((raw.Flags & RI_KEY_BREAK) != 0, m_key.currentScanCode, m_key, [this] { ShowAndNotify(); });
}

void CEditItemSingleKeyInputMMO::ShowAndNotify()
{
    ShowTextAtEnd(m_capture.capturedText);
    if (CWnd* owner = GetOwner()) owner->SendMessage(WM_ITEM_VALUE_CHOSEN, 0, (LPARAM)m_hWnd);
}

BOOL CEditItemSingleKeyInputMMO::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP) return FALSE;
    if (KeyEventFromKeyMessage(m_key, *msg) == 1) return TRUE;
    ShowTextAtEnd(m_capture.capturedText);
    return FALSE;
}
