// IGenDevice: the device as the configurator sees it. Three classes
// implement it: CMouse (one model, through the device service), CMousePicker
// (detects the attached model and forwards to its CMouse) and CNullMouse
// (defaults when no device answers).
//
// Threading contract for the caller (the configurator's UI thread):
// - Transfer with direction kTransferWrite returns at once; the write runs on
//   the device object's one worker thread, which reads the configuration
//   passed in. The configuration has no lock of its own: while IsBusy() is
//   true the worker is the only code that may touch it, so the UI must not
//   change (or delete) the configuration until IsBusy() turns false.
// - A second write while one runs is refused (false). Reads, imports and
//   exports run on the calling thread and fail while a write holds the device.
// - Progress reaches listener windows as WM_PROGRESS_PERCENT and
//   WM_PROGRESS_TEXT, sent from the worker thread; the listeners' thread must
//   keep handling sent messages (a message loop does).
// - Deleting a device object waits for a running write (handling sent
//   messages meanwhile); after 7500 ms the write is told to stop at its next
//   step, and it is still waited for before anything it uses is freed.
// - A write that started can still fail on the way; LastWriteSucceeded says
//   so once the device object is idle again.
#pragma once
#include <windows.h>
#include <cstdint>
#include "String.h"

class CMacro;
class CProgressMessenger;

// Directions of Transfer.
enum : int { kTransferWrite = 0, kTransferRead = 1 };

template <class Config, class Profile>
class IGenDevice {
public:
    // Operations in their fixed slot order.
    virtual bool ReadAll(Config config) = 0;
    virtual void ReleaseCache() = 0;
    virtual bool IsBusy() = 0;
    virtual bool ImportMacro(const wchar_t* path, Config config) = 0;
    virtual bool ExportMacro(const wchar_t* path, CMacro* macro) = 0;
    virtual bool MacroExists(CMacro* macro) = 0;
    virtual bool ImportProfile(const wchar_t* path, Config config) = 0;
    virtual bool ExportProfile(const wchar_t* path, Profile profile) = 0;
    virtual bool ProfileExists(Profile profile) = 0;
    // Slots 9 to 11 do nothing and answer false.
    virtual bool Reserved9() = 0;
    virtual bool Reserved10() = 0;
    virtual bool Reserved11() = 0;
    // direction: kTransferWrite (on the worker) or kTransferRead (here);
    // mask: the feature bits to move.
    virtual bool Transfer(Config config, int direction, uint32_t mask) = 0;
    virtual bool IsConnected() = 0;
    virtual bool GetVersionA(CString& out) = 0;
    virtual bool GetVersionB(CString& out) = 0;
    virtual bool IsOnline() = 0;
    virtual uint32_t GetProductId() = 0;
    virtual const wchar_t* GetName() = 0;
    virtual uint32_t GetDeviceProfileCount() = 0;
    virtual void AddProgressListener(HWND window) = 0;
    virtual void RemoveProgressListener(HWND window) = 0;
    virtual CProgressMessenger* GetProgressMessenger() = 0;
    // Whether the last write that ran ended well (true before any has run).
    // A write is only known once IsBusy() is false again: Transfer returns
    // as soon as the write has started.
    virtual bool LastWriteSucceeded() = 0;

    virtual ~IGenDevice() = default;
};
