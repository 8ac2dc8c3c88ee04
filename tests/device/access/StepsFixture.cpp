#include "StepsFixture.h"

#include <mutex>
#include <sstream>

#include "ServiceConnection.h"
#include "ServiceCore.h"

void StepsTest::SetUp()
{
    InProcessServiceTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CreateDeviceServiceCollection(collection_.Out())));
    device_ = FindServiceDevice(collection_.Get(), 0x1F);
    ASSERT_TRUE(device_);
    first = DeviceProfile(0);
    ASSERT_TRUE(first);

    // What a read-all learns: supported button bits in rising order, key ids.
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, first->GetFeature(IID_IButtonAssignments, unknown.Out()));
    ButtonSupport support = {};
    ASSERT_EQ(S_OK, unknown.As<IButtonAssignments>()->GetSupported(&support));
    for (uint32_t bit = 1; bit <= 0x400000 && lists.buttonBits.size() < support.count; bit <<= 1)
        if (support.bits & bit)
            lists.buttonBits.push_back(bit);
    ASSERT_EQ(S_OK, first->GetFeature(IID_IKeyAssignments, unknown.Out()));
    ComPtr<IKeyAssignments> keys = unknown.As<IKeyAssignments>();
    KeyCount count = {};
    ASSERT_EQ(S_OK, keys->GetCount(&count));
    std::vector<AssignmentValue> values(count.count);
    ULONG n = count.count;
    ASSERT_EQ(S_OK, keys->GetAll(&n, values.data()));
    for (ULONG i = 0; i < n; ++i)
        lists.keyIds.push_back(values[i].target);

    profile = Bind(first.Get());
    ASSERT_NE(nullptr, profile);
    config.SetActiveProfile(profile);
    ClearLog();
}

void StepsTest::TearDown()
{
    first.Reset();
    device_.Reset();
    collection_.Reset();
    InProcessServiceTest::TearDown();
}

ComPtr<IProfileManager> StepsTest::Profiles() const
{
    ComPtr<IUnknown> unknown;
    if (FAILED(device_->GetFeature(IID_IProfileManager, unknown.Out())))
        return {};
    return unknown.As<IProfileManager>();
}

ComPtr<IProfile> StepsTest::DeviceProfile(LONG index) const
{
    ComPtr<IProfile> p;
    if (FAILED(Profiles()->Item(index, p.Out())))
        p.Reset();
    return p;
}

IMouseProfile* StepsTest::Bind(IProfile* device)
{
    LPWSTR name = nullptr;
    GUID id;
    if (FAILED(device->GetName(&name)) || FAILED(device->GetId(&id)))
        return nullptr;
    IMouseProfile* p = config.NewProfile(name);
    CoTaskMemFree(name);
    ULONG w[4];
    featuresteps::GuidWords(id, w);
    p->SetGuid(w[0], w[1], w[2], w[3]);
    return featuresteps::ReadStageLimits(device, config, p) && featuresteps::ReadSensitivity(device, config, p)
               ? p
               : nullptr;
}

void StepsTest::EditDevice(const std::function<void(tkservice::DeviceState&)>& edit) const
{
    tkservice::ServiceCore& core = tkservice::ServiceCore::Instance();
    std::lock_guard<std::recursive_mutex> lock(core.Mutex());
    edit(*core.FindDevice(0x1F));
}

std::vector<std::wstring> StepsTest::Calls(const std::wstring& prefix) const
{
    std::wistringstream lines(Log());
    std::wstring line;
    std::vector<std::wstring> out;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line.compare(0, prefix.size(), prefix) == 0)
            out.push_back(line.substr(prefix.size()));
    }
    return out;
}

TempFile::TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"tk_steps_" + std::to_wstring(GetCurrentProcessId()) + L"_" + name;
    DeleteFileW(path_.c_str());
}

TempFile::~TempFile()
{
    DeleteFileW(path_.c_str());
}

bool TempFile::Write(const std::string& bytes) const
{
    HANDLE h = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}
