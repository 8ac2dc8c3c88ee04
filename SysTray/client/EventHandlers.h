// What the tray's controller does with the events the device service
// reports from the mouse itself. The sinks call these on the UI thread.
#pragma once

class IDpiEventHandler {
public:
    // x and y: the new sensitivity; rangeMax: the range maximum of the
    // connection that reported it (0 when the service gave none).
    virtual void OnDpiChanged(unsigned x, unsigned y, unsigned rangeMax) = 0;

protected:
    ~IDpiEventHandler() = default;
};

class IProfileEventHandler {
public:
    virtual void OnProfileChanged(int index) = 0;

protected:
    ~IProfileEventHandler() = default;
};

class IMacroEventHandler {
public:
    virtual void OnRecordStart() = 0;
    virtual void OnRecordStop() = 0;
    virtual void OnRecordCancel() = 0;
    virtual void OnRecordSave(int a, int b) = 0;

protected:
    ~IMacroEventHandler() = default;
};

class ILaunchAppEventHandler {
public:
    virtual void OnLaunchApp(int code, const wchar_t* path) = 0;

protected:
    ~ILaunchAppEventHandler() = default;
};
