#include "TrayServiceFixture.h"

#include <sstream>

#include "DeviceManager.h"
#include "RecordingWnd.h"
#include "ServiceObjects.h"

namespace {

HRESULT CreateInProcess(IDeviceCollection** out)
{
    *out = tkservice::CreateDeviceCollection();
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

void TrayServiceTest::SetUp()
{
    m_com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    static bool started = false;
    if (!started) {
        tkservice::ServiceCore::Instance().Start(L"");
        started = true;
    }
    SetTrayServiceFactory(&CreateInProcess);
    m_collection = ComPtr<IDeviceCollection>::Attach(tkservice::CreateDeviceCollection());
    m_control = m_collection.As<IServiceControl>();
    ASSERT_TRUE(m_control);
    ASSERT_EQ(S_OK, m_control->Reset());
    m_control->ClearFaults();
    m_control->ClearCallLog();
}

void TrayServiceTest::TearDown()
{
    if (m_control)
        m_control->ClearFaults();
    PumpPending();  // events a test left queued go now, not into the next test
    m_control.Reset();
    m_collection.Reset();
    SetTrayServiceFactory(nullptr);
    if (m_com)
        ::CoUninitialize();
}

int TrayServiceTest::CountCalls(const wchar_t* operation) const
{
    LPWSTR text = nullptr;
    if (FAILED(m_control->GetCallLog(&text)) || !text)
        return 0;
    std::wistringstream lines(text);
    ::CoTaskMemFree(text);
    std::wstring line, op(operation);
    int n = 0;
    while (std::getline(lines, line))
        if (line.compare(0, op.size(), op) == 0 && (line.size() == op.size() || line[op.size()] == L' ' ||
                                                    line[op.size()] == L'\r') &&
            line.find(L" -> ") == std::wstring::npos)
            ++n;
    return n;
}

int TrayServiceTest::HeldSinks() const
{
    return CountCalls(L"IConnectionPoint.Advise") - CountCalls(L"IConnectionPoint.Unadvise");
}

ComPtr<IProfile> TrayServiceTest::ProfileAt(LONG index, ULONG productId) const
{
    ComPtr<IProfile> profile;
    for (LONG i = 0;; ++i) {
        ComPtr<IDevice> device;
        if (FAILED(m_collection->Item(i, device.Out())))
            break;
        ComPtr<IDeviceIdentity> identity = device.As<IDeviceIdentity>();
        ULONG vendor = 0, product = 0;
        if (!identity || FAILED(identity->GetIdentity(&vendor, &product)) || product != productId)
            continue;
        ComPtr<IProfileManager> profiles;
        device->GetFeature(__uuidof(IProfileManager), profiles.OutUnknown());
        if (profiles)
            profiles->Item(index, profile.Out());
        break;
    }
    return profile;
}

void TrayServiceTest::SetProfileProperties(LONG index, USHORT flags, const wchar_t* linkedApp, ULONG productId)
{
    ComPtr<IProfileProperties> props;
    ComPtr<IProfile> profile = ProfileAt(index, productId);
    ASSERT_TRUE(profile);
    ASSERT_EQ(S_OK, profile->GetFeature(__uuidof(IProfileProperties), props.OutUnknown()));
    for (USHORT bit : {1, 2, 4}) {
        USHORT pair[2] = {bit, static_cast<USHORT>((flags & bit) ? 1 : 0)};
        ASSERT_EQ(S_OK, props->Set(0x80000003, reinterpret_cast<const BYTE*>(pair), 0, sizeof(pair), 0));
    }
    std::wstring app = linkedApp ? linkedApp : L"";
    ASSERT_EQ(S_OK, props->Set(0x80000002, reinterpret_cast<const BYTE*>(app.c_str()), 0,
                               static_cast<ULONG>((app.size() + 1) * sizeof(wchar_t)), 0));
}
