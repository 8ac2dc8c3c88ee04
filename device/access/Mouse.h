// CMouse: one device model reached through the device service. It reads
// the whole configuration (ReadAll), moves features by mask (Transfer: reads
// on the calling thread, writes on its worker thread with progress), and
// imports and exports profiles and macros. See GenDevice.h for the threading
// contract its callers keep.
#pragma once
#include <atomic>
#include <cstdint>
#include <vector>
#include "BaseDevice.h"
#include "FeatureSteps.h"
#include "GenDevice.h"
#include "MouseConfigInterface.h"

struct TransferPlan;

class CMouse : public IGenDevice<IMouseConfig*, IMouseProfile*>,
               public CBaseDevice<IMouseConfig*, IMouseProfile*, CMouse> {
public:
    using Base = CBaseDevice<IMouseConfig*, IMouseProfile*, CMouse>;

    explicit CMouse(const DeviceDescriptor* model);
    // Waits for a running write (see GenDevice.h) before anything it uses
    // goes.
    ~CMouse() override;

    bool ReadAll(IMouseConfig* config) override;
    void ReleaseCache() override {}
    bool IsBusy() override { return Base::IsBusy(); }
    bool ImportMacro(const wchar_t* path, IMouseConfig* config) override { return Base::ImportMacro(path, config); }
    bool ExportMacro(const wchar_t* path, CMacro* macro) override { return Base::ExportMacro(path, macro); }
    bool MacroExists(CMacro* macro) override { return Base::MacroExists(macro); }
    bool ImportProfile(const wchar_t* path, IMouseConfig* config) override;
    bool ExportProfile(const wchar_t* path, IMouseProfile* profile) override { return Base::ExportProfile(path, profile); }
    bool ProfileExists(IMouseProfile* profile) override { return Base::ProfileExists(profile); }
    bool Reserved9() override { return false; }
    bool Reserved10() override { return false; }
    bool Reserved11() override { return false; }
    bool Transfer(IMouseConfig* config, int direction, uint32_t mask) override;
    bool IsConnected() override { return Base::IsConnected(); }
    bool GetVersionA(CString& out) override;
    bool GetVersionB(CString& out) override;
    bool IsOnline() override { return Base::IsOnline(); }
    uint32_t GetProductId() override { return m_model ? m_model->productId : 0; }
    const wchar_t* GetName() override { return m_model && m_model->name ? m_model->name : L""; }
    uint32_t GetDeviceProfileCount() override { return Base::GetDeviceProfileCount(); }
    void AddProgressListener(HWND window) override;
    void RemoveProgressListener(HWND window) override;
    CProgressMessenger* GetProgressMessenger() override { return this; }
    bool LastWriteSucceeded() override { return m_lastWriteOk.load(); }

    // Only while this thread is connected (within a read): reads the second
    // unit's version into version A ("0.00" when it cannot be read). Returns
    // whether it was read.
    virtual bool RereadVersionA();

    // The model keeps its connection between operations itself.
    void Close() override {}

    // What the last ReadAll learned of the device.
    const std::vector<uint32_t>& SupportedButtonBits() const { return m_buttonBits; }
    const std::vector<uint32_t>& KeyIds() const { return m_keyIds; }
    const std::vector<int>& ReportRates() const { return m_reportRates; }

private:
    featuresteps::DeviceLists Lists() const;
    bool StartWrite(IMouseConfig* config, uint16_t mask);
    void WriteOnWorker(IMouseConfig* config, uint16_t mask, const featuresteps::DeviceLists& lists);
    bool RunWrite(IMouseConfig& config, const TransferPlan& plan, const featuresteps::DeviceLists& lists);
    bool RunRead(IMouseConfig& config, const TransferPlan& plan, const featuresteps::DeviceLists& lists);
    void RemoveProfilesNotIn(IProfileManager* profiles, IMouseConfig& config);
    // ReadAll's parts.
    bool ReadVersions();
    bool ReadProfileList(IMouseConfig& config);
    bool ReadSupportedButtons(IProfile* profile);
    bool ReadKeyIds(IProfile* profile);
    bool ReadReportRates(IMouseConfig& config);

    void SendPercent(int percent);
    void SendProfileText(IMouseProfile* profile);

    std::vector<uint32_t> m_buttonBits;
    std::vector<int> m_reportRates;
    std::atomic<bool> m_lastWriteOk{true};
};
