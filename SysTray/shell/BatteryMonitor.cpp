#include "BatteryMonitor.h"

#include <objbase.h>
#include <process.h>

#include "DeviceManager.h"

namespace {

const __time64_t kReadEverySeconds = 300;

}  // namespace

CBatteryMonitor::~CBatteryMonitor()
{
    if (m_thread)
        ::CloseHandle(m_thread);
}

CString CBatteryMonitor::FormatText(const CString& label, int level)
{
    CString text;
    text.Format(L" : %ls [%i%%]", label.GetString(), level);
    return text;
}

void CBatteryMonitor::ClearText()
{
    CSingleLock lock(&m_lock, TRUE);
    m_text.Empty();
}

CString CBatteryMonitor::Text() const
{
    CSingleLock lock(&m_lock, TRUE);
    return m_text;
}

bool CBatteryMonitor::ReadBattery(const CString& label, __time64_t now)
{
    if (m_readDue.exchange(false))
        m_lastRead = 0;
    if (now - m_lastRead < kReadEverySeconds)
        return false;
    m_lastRead = now;
    CDeviceManager manager;
    if (!manager.IsDevicePresent() || manager.GetProductId() == kProductWired)
        return false;
    int level = 0;
    if (!manager.IsPowerStateNot2() || !manager.GetBatteryLevel(level) || level < 0 || level > 100)
        return false;
    CString text = FormatText(label, level);
    CSingleLock lock(&m_lock, TRUE);
    m_text = text;
    return true;
}

bool CBatteryMonitor::WaitForReading(DWORD ms)
{
    if (!m_thread)
        return true;
    if (ms == 0)
        return ::WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0;
    // An apartment thread keeps taking the device service's calls while it
    // waits: the service waits for their answers.
    DWORD index = 0;
    HRESULT hr = ::CoWaitForMultipleHandles(0, ms, 1, &m_thread, &index);
    if (hr == CO_E_NOTINITIALIZED)
        return ::WaitForSingleObject(m_thread, ms) == WAIT_OBJECT_0;
    return hr == S_OK && index == 0;
}

unsigned __stdcall CBatteryMonitor::ThreadMain(void* param)
{
    auto* self = static_cast<CBatteryMonitor*>(param);
    HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        self->ReadBattery(self->m_threadLabel, _time64(nullptr));
    } catch (...) {
    }
    if (SUCCEEDED(hr))
        ::CoUninitialize();
    return 0;
}

void CBatteryMonitor::StartReading(int productId, const CString& label)
{
    if (!WaitForReading(0))
        return;  // the last reading still runs
    if (productId != kProductWireless && productId != kProductDock) {
        ReadBattery(label, _time64(nullptr));
        return;
    }
    // The last thread has ended: its handle goes before the next one starts.
    if (m_thread) {
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    m_threadLabel = label;
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadMain, this, CREATE_SUSPENDED, nullptr));
    if (!thread)
        return;
    m_thread = thread;
    ::ResumeThread(thread);
}
