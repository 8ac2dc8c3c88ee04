// CNullMouse: the device object when no device answers at start. Its read
// fills the default configuration; it never changes state and never
// transfers.
#pragma once
#include <cstdint>
#include <map>
#include <vector>
#include "AssignmentRecord.h"
#include "GenDevice.h"
#include "MouseConfigInterface.h"
#include "ProgressMessenger.h"

class CNullMouse : public IGenDevice<IMouseConfig*, IMouseProfile*>, public CProgressMessenger {
public:
    CNullMouse() = default;
    ~CNullMouse() override = default;

    // Fills the twenty default profiles and the device-wide defaults.
    bool ReadAll(IMouseConfig* config) override;
    // Frees the key ids the read built.
    void ReleaseCache() override { m_keyIds.clear(); }
    bool IsBusy() override { return false; }
    bool ImportMacro(const wchar_t*, IMouseConfig*) override { return true; }
    bool ExportMacro(const wchar_t*, CMacro*) override { return true; }
    bool MacroExists(CMacro*) override { return true; }
    bool ImportProfile(const wchar_t*, IMouseConfig*) override { return true; }
    bool ExportProfile(const wchar_t*, IMouseProfile*) override { return true; }
    bool ProfileExists(IMouseProfile*) override { return true; }
    bool Reserved9() override { return false; }
    bool Reserved10() override { return false; }
    bool Reserved11() override { return false; }
    // Reports 0 % to the listeners and fails: there is nothing to talk to.
    bool Transfer(IMouseConfig* config, int direction, uint32_t mask) override;
    bool IsConnected() override { return true; }
    bool GetVersionA(CString& out) override;
    bool GetVersionB(CString& out) override;
    bool IsOnline() override { return true; }
    uint32_t GetProductId() override { return 0; }
    const wchar_t* GetName() override { return L"NullMouse"; }
    uint32_t GetDeviceProfileCount() override { return 20; }
    void AddProgressListener(HWND window) override;
    void RemoveProgressListener(HWND window) override;
    CProgressMessenger* GetProgressMessenger() override { return this; }
    // It never writes.
    bool LastWriteSucceeded() override { return true; }

    // Further answers of the null device.
    virtual int Reserved23() { return 5; }
    virtual bool Reserved24() { return true; }
    virtual bool Reserved25() { return true; }
    virtual bool Reserved26() { return true; }
    virtual bool Reserved27() { return true; }

    const std::vector<uint32_t>& KeyIds() const { return m_keyIds; }

private:
    std::map<int, AssignmentRecord> m_buttonDefaults;
    std::vector<uint32_t> m_keyIds;
};
