// CBaseDevice: what every device model reached through the device service
// shares: the connection to its service device, the version texts, the key
// ids, the busy flag and the one worker thread.
//
// Connection: one operation at a time holds the device. Connect claims it
// (a second connect, on any thread, fails while it is held) and opens the
// service's collection and device on the calling thread; those interface
// pointers are used only by that thread and released by Disconnect on it.
// A write hands the claim to its worker thread, which opens its own
// interfaces in its own apartment (see ReopenDevice).
#pragma once
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <vector>
#include "ComPtr.h"
#include "DeviceDescriptor.h"
#include "DeviceService.h"
#include "ProgressMessenger.h"
#include "String.h"
#include "TransferWorker.h"

class CMacro;

template <class Config, class Profile, class Derived>
class CBaseDevice : public CProgressMessenger {
public:
    explicit CBaseDevice(const DeviceDescriptor* model);
    // Derived classes that run a worker join it in their own destructor,
    // before their members go.
    ~CBaseDevice() override;

    // Disconnects, frees the key ids and clears the connected flag.
    virtual void Close();
    virtual bool ImportMacro(const wchar_t* path, Config config);
    virtual bool ExportMacro(const wchar_t* path, CMacro* macro);
    virtual bool MacroExists(CMacro* macro);
    virtual bool ExportProfile(const wchar_t* path, Profile profile);
    virtual bool ProfileExists(Profile profile);
    // Connects, counts the device's profiles, disconnects; 0 when the
    // connect fails.
    virtual uint32_t GetDeviceProfileCount();
    virtual bool IsBusy() { return m_busy.load(); }
    // Whether the last connect found the model.
    virtual bool IsConnected() { return m_connected.load(); }
    // Connects, asks the device's link state, disconnects.
    virtual bool IsOnline();

    const DeviceDescriptor* Model() const { return m_model; }

protected:
    // Walks of the service's lists (profiles, macros) stop here even if the
    // service keeps answering.
    static const LONG kMaxServiceItems = 1024;

    // Claims the device and opens it on this thread. Fails for a model
    // without a product id, when the service cannot be created, while
    // another operation holds the device, or when the model is not attached.
    bool ConnectDevice();
    // Releases this thread's interfaces and the claim. The connected flag
    // keeps its value.
    void DisconnectDevice();
    // Releases this thread's interfaces but keeps the claim, so that another
    // thread can take over the operation with ReopenDevice.
    void ReleaseInterfacesKeepClaim();
    // Opens the device again on this thread under a claim already held.
    bool ReopenDevice();

    IDevice* Device() const { return m_device.Get(); }
    // Whether this thread holds the device through interfaces it opened;
    // another thread's interfaces (a write's worker) are never used here.
    bool HeldOnThisThread() const { return m_openThread.load() == ::GetCurrentThreadId() && m_device; }

    ComPtr<IDeviceCollection> m_collection;
    ComPtr<IDevice> m_device;
    const DeviceDescriptor* m_model;
    std::atomic<bool> m_connected{false};
    CString m_versionA;
    CString m_versionB;
    std::vector<uint32_t> m_keyIds;
    std::atomic<bool> m_busy{false};
    CTransferWorker m_worker;

private:
    bool OpenDevice();
    std::atomic<bool> m_held{false};
    std::atomic<DWORD> m_openThread{0};
};
