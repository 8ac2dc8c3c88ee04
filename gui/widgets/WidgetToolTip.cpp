#include "WidgetToolTip.h"

#include "WidgetText.h"

namespace {
// Without a maximum width a tip is one line and ignores CR LF.
constexpr int kMaxTipWidth = 400;
constexpr UINT_PTR kToolId = 1;
}

void CWidgetToolTip::Set(CWnd* widget, const CString& key)
{
    if (!widget || !widget->m_hWnd) return;
    if (!m_tip.m_hWnd) {
        if (!m_tip.Create(widget)) return;
        m_tip.SetMaxTipWidth(kMaxTipWidth);
    }
    m_tip.Activate(FALSE);
    m_text = ToolTipText(TranslateWidgetText(key));
    if (m_tip.GetToolCount() == 0) {
        RECT client;
        widget->GetClientRect(&client);
        TOOLINFOW ti = CToolTipCtrl::MakeToolInfo(widget->m_hWnd, kToolId, &client, m_text);
        ti.uFlags = 0;  // messages are relayed, not subclassed
        m_tip.SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&ti);
    } else {
        TOOLINFOW ti = CToolTipCtrl::MakeToolInfo(widget->m_hWnd, kToolId, nullptr, m_text);
        ti.uFlags = 0;
        m_tip.SendMessage(TTM_UPDATETIPTEXTW, 0, (LPARAM)&ti);
    }
    m_tip.Activate(TRUE);
}

void CWidgetToolTip::Relay(MSG* msg)
{
    if (!m_tip.m_hWnd || !msg) return;
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) m_tip.RelayEvent(msg);
}
