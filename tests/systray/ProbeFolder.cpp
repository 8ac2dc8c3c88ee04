#include "ProbeFolder.h"

#include <windows.h>

#include "RecordingWnd.h"

CProbeFolder::CProbeFolder(const wchar_t* exeName) : m_exe(exeName)
{
    wchar_t temp[MAX_PATH] = {}, self[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    static int serial = 0;
    m_folder = std::wstring(temp) + L"tk-probe-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
               std::to_wstring(++serial);
    std::wstring selfDir(self);
    selfDir = selfDir.substr(0, selfDir.rfind(L'\\'));
    m_ready = ::CreateDirectoryW(m_folder.c_str(), nullptr) &&
              ::CopyFileW((selfDir + L"\\TkLaunchProbe.exe").c_str(), Program().c_str(), FALSE);
}

CProbeFolder::~CProbeFolder()
{
    std::wstring marker = m_folder + L"\\launched.txt";
    ::DeleteFileW(marker.c_str());
    // A copy that still runs holds its file a moment longer.
    PumpUntil([&] { return ::DeleteFileW(Program().c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND; });
    ::RemoveDirectoryW(m_folder.c_str());
}

bool CProbeFolder::Launched() const
{
    return ::GetFileAttributesW((m_folder + L"\\launched.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
}
