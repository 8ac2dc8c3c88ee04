// The feature steps' tests: the in-process service's wireless mouse, held
// as the steps expect it, with the lists a read-all would have found and a
// configuration whose first profile stands for the device's first profile.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "FeatureSteps.h"
#include "InProcessService.h"
#include "ServiceState.h"
#include "VeskConfig.h"



class StepsTest : public InProcessServiceTest {
protected:
    void SetUp() override;
    void TearDown() override;

    IDevice* Device() const { return device_.Get(); }
    ComPtr<IProfileManager> Profiles() const;
    ComPtr<IProfile> DeviceProfile(LONG index) const;
    // A new configuration profile named and identified like the device
    // profile, with that profile's stage limits and sensitivity.
    IMouseProfile* Bind(IProfile* device);
    // Changes the wireless mouse's stored state directly, under its lock.
    void EditDevice(const std::function<void(tkservice::DeviceState&)>& edit) const;
    // The logged calls that start with prefix, each without the prefix.
    std::vector<std::wstring> Calls(const std::wstring& prefix) const;

    CVeskConfig config;
    featuresteps::DeviceLists lists;
    ComPtr<IProfile> first;         // the device's first profile
    IMouseProfile* profile = nullptr;  // bound to it

private:
    ComPtr<IDeviceCollection> collection_;
    ComPtr<IDevice> device_;
};

// A file path in the temporary folder, removed again by the destructor.
class TempFile {
public:
    explicit TempFile(const wchar_t* name);
    ~TempFile();
    const wchar_t* Path() const { return path_.c_str(); }
    bool Write(const std::string& bytes) const;

private:
    std::wstring path_;
};
