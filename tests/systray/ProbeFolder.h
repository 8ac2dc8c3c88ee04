// A fresh folder holding a copy of the stand-in program TkLaunchProbe.exe
// under a given name; started, the copy writes "launched.txt" beside itself.
#pragma once
#include <string>

class CProbeFolder {
public:
    explicit CProbeFolder(const wchar_t* exeName);
    ~CProbeFolder();  // waits for the copy to end, then removes all

    bool Ready() const { return m_ready; }
    const std::wstring& Folder() const { return m_folder; }
    std::wstring Program() const { return m_folder + L"\\" + m_exe; }
    bool Launched() const;

private:
    std::wstring m_folder, m_exe;
    bool m_ready = false;
};
