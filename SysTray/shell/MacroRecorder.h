// The on-the-fly macro recorder: between the device's start and stop
// signals it turns raw keyboard and mouse input into macro events, then
// saves them as a new macro of the device assigned to a key, and drives a
// lighting zone of the mouse as the recording indicator.
#pragma once
#include <windows.h>

#include <vector>

#include "DeviceManager.h"

// The recorded events (an auto-repeated key is kept once; no delay before
// the first event).
class CDelayTimer {
public:
    virtual ~CDelayTimer() = default;

    void Clear() { m_events.clear(); }
    // A key transition: make code and the raw report's flags (bit 0: up).
    void AddKey(USHORT makeCode, USHORT flags, DWORD now);
    // A mouse report: kept only when exactly one button changed.
    void AddMouseButtons(USHORT buttonFlags, USHORT buttonData, DWORD now);
    void Start(DWORD now);
    const std::vector<RecordedEvent>& Events() const { return m_events; }

    static const ULONG kDelayCap = 0xFFFFFF;

private:
    void AddDelay(DWORD now);

    std::vector<RecordedEvent> m_events;
    DWORD m_lastTick = ::GetTickCount();
};

class CMacroRecorder {
public:
    // The handlers of the device's recording events.
    void OnRecordStart(HWND window);
    void OnRecordStop();
    void OnRecordCancel();
    void OnRecordSave(int a, int key);
    // At device removal: back to idle, the indicator off.
    void ResetRecorder();

    // WM_INPUT of the window given at the start; only while recording.
    void OnRawInput(HRAWINPUT input);

    bool IsRecording() const { return m_recording; }
    const CDelayTimer& Events() const { return m_events; }

private:
    void Idle();

    bool m_recording = false;
    CDelayTimer m_events;
};
