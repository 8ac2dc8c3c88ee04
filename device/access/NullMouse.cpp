#include "NullMouse.h"

#include "NullMouseDefaults.h"
#include "QuietProgress.h"

bool CNullMouse::ReadAll(IMouseConfig* config)
{
    m_keyIds = NullKeyIds();
    m_buttonDefaults = NullButtonDefaults();
    if (config)
        FillNullMouseDefaults(*config, m_keyIds, m_buttonDefaults);
    return config != nullptr;
}

bool CNullMouse::Transfer(IMouseConfig*, int, uint32_t)
{
    SendPercentQuietly(*this, 0);
    ::Sleep(50);
    return false;
}

bool CNullMouse::GetVersionA(CString& out)
{
    out.Format(L"%d.00", 1);
    return true;
}

bool CNullMouse::GetVersionB(CString& out)
{
    out.Format(L"%d.00", 1);
    return true;
}

void CNullMouse::AddProgressListener(HWND window)
{
    SubscribeQuietly(*this, window);
}

void CNullMouse::RemoveProgressListener(HWND window)
{
    UnsubscribeQuietly(*this, window);
}
