// A device object whose answers the test sets, and which records the
// transfers it was asked for.
#pragma once
#include <vector>

#include "MousePicker.h"

class CScriptedDevice : public GenDevice {
public:
    struct TransferCall {
        int direction;
        uint32_t mask;
        DWORD thread;       // the calling thread
        bool insideSent;    // called while handling another thread's sent message
    };

    uint32_t productId = 0x1F;
    bool connected = true;
    bool busy = false;
    bool online = true;
    bool transferResult = true;
    bool lastWriteOk = true;
    CString versionA = L"1.05";
    std::vector<TransferCall> transfers;
    std::vector<HWND> listeners;

    bool ReadAll(IMouseConfig*) override { return connected; }
    void ReleaseCache() override {}
    bool IsBusy() override { return busy; }
    bool ImportMacro(const wchar_t*, IMouseConfig*) override { return false; }
    bool ExportMacro(const wchar_t*, CMacro*) override { return false; }
    bool MacroExists(CMacro*) override { return false; }
    bool ImportProfile(const wchar_t*, IMouseConfig*) override { return false; }
    bool ExportProfile(const wchar_t*, IMouseProfile*) override { return false; }
    bool ProfileExists(IMouseProfile*) override { return false; }
    bool Reserved9() override { return false; }
    bool Reserved10() override { return false; }
    bool Reserved11() override { return false; }
    bool Transfer(IMouseConfig*, int direction, uint32_t mask) override
    {
        transfers.push_back({direction, mask, ::GetCurrentThreadId(), ::InSendMessage() != FALSE});
        return transferResult;
    }
    bool IsConnected() override { return connected; }
    bool GetVersionA(CString& out) override
    {
        out = versionA;
        return connected;
    }
    bool GetVersionB(CString& out) override { return false; }
    bool IsOnline() override { return online; }
    uint32_t GetProductId() override { return productId; }
    const wchar_t* GetName() override { return L"scripted"; }
    uint32_t GetDeviceProfileCount() override { return 1; }
    void AddProgressListener(HWND window) override { listeners.push_back(window); }
    void RemoveProgressListener(HWND window) override
    {
        for (size_t i = 0; i < listeners.size(); ++i) {
            if (listeners[i] == window) {
                listeners.erase(listeners.begin() + i);
                break;
            }
        }
    }
    CProgressMessenger* GetProgressMessenger() override { return nullptr; }
    bool LastWriteSucceeded() override { return lastWriteOk; }
};
