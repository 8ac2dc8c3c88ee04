#include "MacroRecorder.h"

#include <algorithm>

#include "RawInput.h"

namespace {

bool IsSingleButton(USHORT flags)
{
    // Each button's down or up transition is one bit of the ten low ones.
    return flags != 0 && (flags & 0x3FF) == flags && (flags & (flags - 1)) == 0;
}

// The report of one WM_INPUT; false when it cannot be read whole.
bool ReadReport(HRAWINPUT input, RAWINPUT& out)
{
    UINT size = 0;
    if (::GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0 ||
        size > sizeof(out))
        return false;
    UINT read = ::GetRawInputData(input, RID_INPUT, &out, &size, sizeof(RAWINPUTHEADER));
    return read != static_cast<UINT>(-1) && read >= sizeof(RAWINPUTHEADER);
}

}  // namespace

void CDelayTimer::Start(DWORD now)
{
    m_events.clear();
    m_lastTick = now;
}

void CDelayTimer::AddDelay(DWORD now)
{
    if (!m_events.empty())
        m_events.push_back({3, std::min<ULONG>(kDelayCap, now - m_lastTick)});
    m_lastTick = now;
}

void CDelayTimer::AddKey(USHORT makeCode, USHORT flags, DWORD now)
{
    ULONG data = makeCode | (static_cast<ULONG>(flags) << 16);
    // A held key repeats its key-down: keep the first only.
    if (!(flags & RI_KEY_BREAK) && !m_events.empty() && m_events.back().type == 2 && m_events.back().data == data)
        return;
    AddDelay(now);
    m_events.push_back({2, data});
}

void CDelayTimer::AddMouseButtons(USHORT buttonFlags, USHORT buttonData, DWORD now)
{
    if (!IsSingleButton(buttonFlags))
        return;  // movement, the wheel or several buttons at once
    AddDelay(now);
    m_events.push_back({1, buttonFlags | (static_cast<ULONG>(buttonData) << 16)});
}

void CMacroRecorder::OnRecordStart(HWND window)
{
    CDeviceManager().StartRecordingLed();
    m_events.Start(::GetTickCount());
    m_recording = true;
    AddRawInputUsage(rawinput::kUsageKeyboard);
    AddRawInputUsage(rawinput::kUsageMouse);
    RegisterRawInput(window);
}

void CMacroRecorder::OnRecordStop()
{
    CDeviceManager().LedSchemeState1();
    UnregisterRawInput();
    m_recording = false;
}

void CMacroRecorder::OnRecordCancel()
{
    CDeviceManager().StopRecordingLed();
    Idle();
}

void CMacroRecorder::OnRecordSave(int a, int key)
{
    CDeviceManager().SaveRecordedMacro(a, key, m_events.Events());
    Idle();
}

void CMacroRecorder::ResetRecorder()
{
    CDeviceManager().LedSchemeState2();
    Idle();
}

void CMacroRecorder::Idle()
{
    UnregisterRawInput();
    m_recording = false;
    m_events.Clear();
}

void CMacroRecorder::OnRawInput(HRAWINPUT input)
{
    RAWINPUT report{};
    if (!m_recording || !ReadReport(input, report))
        return;
    DWORD now = ::GetTickCount();
    if (report.header.dwType == RIM_TYPEKEYBOARD)
        m_events.AddKey(report.data.keyboard.MakeCode, report.data.keyboard.Flags, now);
    else if (report.header.dwType == RIM_TYPEMOUSE)
        m_events.AddMouseButtons(report.data.mouse.usButtonFlags, report.data.mouse.usButtonData, now);
}
