#include "InProcessService.h"

#include <sstream>

#include "ServiceConnection.h"
#include "ServiceObjects.h"

namespace {

HRESULT CreateInProcess(IDeviceCollection** out)
{
    *out = tkservice::CreateDeviceCollection();
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

void InProcessServiceTest::SetUp()
{
    com_ = SUCCEEDED(::CoInitialize(nullptr));
    static bool started = false;
    if (!started) {
        tkservice::ServiceCore::Instance().Start(L"");
        started = true;
    }
    SetDeviceServiceFactory(&CreateInProcess);
    ComPtr<IDeviceCollection> collection = ComPtr<IDeviceCollection>::Attach(tkservice::CreateDeviceCollection());
    control_ = collection.As<IServiceControl>();
    ASSERT_TRUE(control_);
    ASSERT_EQ(S_OK, control_->ClearFaults());
    ASSERT_EQ(S_OK, control_->Reset());
    ClearLog();
}

void InProcessServiceTest::TearDown()
{
    if (control_)
        control_->ClearFaults();
    control_.Reset();
    SetDeviceServiceFactory(nullptr);
    if (com_)
        ::CoUninitialize();
}

std::wstring InProcessServiceTest::Log() const
{
    LPWSTR text = nullptr;
    if (!control_ || FAILED(control_->GetCallLog(&text)) || !text)
        return std::wstring();
    std::wstring s = text;
    ::CoTaskMemFree(text);
    return s;
}

void InProcessServiceTest::ClearLog() const
{
    if (control_)
        control_->ClearCallLog();
}

int InProcessServiceTest::CountCalls(const std::wstring& operation) const
{
    std::wistringstream lines(Log());
    std::wstring line;
    int n = 0;
    while (std::getline(lines, line))
        n += line.compare(0, operation.size(), operation) == 0;
    return n;
}
