#include "ProgressPanelItem.h"

#include "Wnd.h"

CProgressPanelItem::CProgressPanelItem()
{
    m_type = ITEM_PROGRESSPANEL;
    m_window = nullptr;
    // The item's colour defaults; the panel itself starts with border 1.
    m_setup.colours = ProgressPanelColours{0xFFFFFF, 0, 0, 0xFFFFFF, 0xFFFFFF, 0};
}

CProgressPanelItem::~CProgressPanelItem()
{
    // Never started: nothing to wait for.
    CProgressPanelThread::End(m_thread);
    m_thread = nullptr;
}

void CProgressPanelItem::SetTextAreas(const std::vector<ProgressTextArea>& areas)
{
    m_setup.textAreas.insert(m_setup.textAreas.end(), areas.begin(), areas.end());
}

void CProgressPanelItem::SetPlacement(const RECT& rect, CWnd* parent, DWORD style)
{
    m_setup.rect = rect;
    m_parent = parent;
    m_setup.style = style;
}

void CProgressPanelItem::Start()
{
    if (m_thread)
        return;
    m_setup.parent = m_parent ? m_parent->m_hWnd : nullptr;
    m_thread = CProgressPanelThread::Begin(m_setup);
}

void CProgressPanelItem::ShowPanel()
{
    if (!m_thread)
        return;
    HWND panel = m_thread->PanelWindow();
    if (panel && ::IsWindow(panel))
        ::ShowWindow(panel, SW_SHOWNORMAL);
}
