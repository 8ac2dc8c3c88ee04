// CMousePicker: detects which known model is attached (in the table's order
// of preference) and forwards every operation to that model's CMouse.
// Operations answer false or 0 while no model is chosen or the chosen one
// has no device object yet.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>
#include "GenDevice.h"
#include "Mouse.h"

using GenDevice = IGenDevice<IMouseConfig*, IMouseProfile*>;

// The detection rule over plain data: the current choice stays while its
// product id is attached; otherwise the first table row that is attached.
// Returns the row index, or -1 when none is attached.
int ChooseModel(const DeviceDescriptor* table, size_t count, int current,
                const std::vector<uint32_t>& attached);

class CMousePicker : public GenDevice {
public:
    // Called with the new device object after a successful ReadAll, and with
    // null when a Transfer finds no known model.
    using Callback = void (*)(GenDevice* device, void* userData);

    CMousePicker(const DeviceDescriptor* table, size_t count, void* userData);
    ~CMousePicker() override;

    void SetCallback(Callback callback) { m_callback = callback; }
    // Detects the attached model (see ChooseModel); a model that went away
    // loses its device object. False when the service cannot be reached or
    // no known model is attached.
    bool Detect();
    // The chosen model's device object; null when none.
    CMouse* Chosen() const;

    bool ReadAll(IMouseConfig* config) override;
    void ReleaseCache() override {}
    bool IsBusy() override;
    bool ImportMacro(const wchar_t* path, IMouseConfig* config) override;
    bool ExportMacro(const wchar_t* path, CMacro* macro) override;
    bool MacroExists(CMacro* macro) override;
    bool ImportProfile(const wchar_t* path, IMouseConfig* config) override;
    bool ExportProfile(const wchar_t* path, IMouseProfile* profile) override;
    bool ProfileExists(IMouseProfile* profile) override;
    bool Reserved9() override;
    bool Reserved10() override;
    bool Reserved11() override;
    bool Transfer(IMouseConfig* config, int direction, uint32_t mask) override;
    bool IsConnected() override;
    bool GetVersionA(CString& out) override;
    bool GetVersionB(CString& out) override;
    bool IsOnline() override;
    uint32_t GetProductId() override;
    const wchar_t* GetName() override;
    uint32_t GetDeviceProfileCount() override;
    void AddProgressListener(HWND window) override;
    void RemoveProgressListener(HWND window) override;
    CProgressMessenger* GetProgressMessenger() override;
    // The chosen model's; false when none is chosen (the model went away,
    // so its write cannot be known to have ended well).
    bool LastWriteSucceeded() override;

private:
    struct Entry {
        const DeviceDescriptor* model;
        std::unique_ptr<CMouse> mouse;
    };

    std::vector<Entry> m_entries;
    int m_chosen = -1;
    Callback m_callback = nullptr;
    void* m_userData;
};
