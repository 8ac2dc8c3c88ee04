#include "Mouse.h"

#include <objbase.h>

#include "AssignmentValues.h"
#include "QuietProgress.h"
#include "TransferPlan.h"

namespace {

// How long deleting a device object waits for a running write before the
// write is told to give up.
const DWORD kWriteGraceMs = 7500;
// The worker's pause after a write, before it lets go of the device.
const DWORD kAfterWriteMs = 500;

}  // namespace

CMouse::CMouse(const DeviceDescriptor* model) : Base(model)
{
}

CMouse::~CMouse()
{
    m_worker.Join(kWriteGraceMs);
    m_busy = false;
    DisconnectDevice();
}

featuresteps::DeviceLists CMouse::Lists() const
{
    featuresteps::DeviceLists lists;
    lists.buttonBits = m_buttonBits;
    lists.keyIds = m_keyIds;
    lists.reportRates = m_reportRates;
    return lists;
}

bool CMouse::GetVersionA(CString& out)
{
    out = m_versionA;
    return true;
}

bool CMouse::GetVersionB(CString& out)
{
    out = m_versionB;
    return true;
}

void CMouse::AddProgressListener(HWND window)
{
    SubscribeQuietly(*this, window);
}

void CMouse::RemoveProgressListener(HWND window)
{
    UnsubscribeQuietly(*this, window);
}

void CMouse::SendPercent(int percent)
{
    SendPercentQuietly(*this, percent);
}

void CMouse::SendProfileText(IMouseProfile* profile)
{
    CString text(L"Profile: ");
    text += profile->GetName();
    SendTextQuietly(*this, text);
}

bool CMouse::RereadVersionA()
{
    if (!HeldOnThisThread())
        return false;
    BYTE major = 0, minor = 0, r1 = 0, r2 = 0;
    ComPtr<IUnitVersion> unit = m_device.As<IUnitVersion>();
    bool ok = unit && SUCCEEDED(unit->GetVersion(&major, &minor, &r1, &r2));
    m_versionA = ok ? FormatVersion(major, minor) : FormatVersion(0, 0);
    return ok;
}

bool CMouse::Transfer(IMouseConfig* config, int direction, uint32_t mask)
{
    if (!config || !m_model)
        return false;
    if (direction == kTransferWrite)
        return StartWrite(config, static_cast<uint16_t>(mask));
    if (direction != kTransferRead)
        return false;
    if (!ConnectDevice())
        return false;
    m_busy = true;
    bool ok = RunRead(*config, PlanTransfer(*m_model, kTransferRead, mask), Lists());
    DisconnectDevice();
    m_busy = false;
    return ok;
}

bool CMouse::StartWrite(IMouseConfig* config, uint16_t mask)
{
    if (m_busy)
        return false;  // one write at a time
    // A worker that has cleared its busy flag is about to end; collect it.
    m_worker.Join(INFINITE);
    // Connecting here makes an unreachable device fail the call itself.
    if (!ConnectDevice())
        return false;
    // The worker opens its own interfaces in its own apartment; the claim
    // on the device passes to it.
    ReleaseInterfacesKeepClaim();
    m_busy = true;
    featuresteps::DeviceLists lists = Lists();
    bool started = m_worker.Start([this, config, mask, lists] { WriteOnWorker(config, mask, lists); });
    if (!started) {
        m_busy = false;
        DisconnectDevice();
    }
    return started;
}

void CMouse::WriteOnWorker(IMouseConfig* config, uint16_t mask, const featuresteps::DeviceLists& lists)
{
    HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ok = false;
    try {
        ok = ReopenDevice() && RunWrite(*config, PlanTransfer(*m_model, kTransferWrite, mask), lists);
    } catch (...) {
        // The write is over either way; what follows lets go of the device
        // and clears the busy flag, or the device object stays busy for good.
    }
    // Known before the busy flag clears, so an idle device object always
    // answers for the write that just ended.
    m_lastWriteOk = ok;
    m_worker.Pause(kAfterWriteMs);
    DisconnectDevice();
    if (SUCCEEDED(com))
        ::CoUninitialize();
    m_busy = false;
}

bool CMouse::ImportProfile(const wchar_t* path, IMouseConfig* config)
{
    if (!path || !config || !m_model || !m_model->HasFeature(kCodeProfiles))
        return false;
    if (!ConnectDevice())
        return false;
    bool ok = featuresteps::ImportProfile(Device(), *m_model, path, *config, Lists());
    DisconnectDevice();
    return ok;
}
