// The system file and colour dialogs.
#pragma once
#include "Wnd.h"
#include <commdlg.h>

class CFileDialog {
public:
    // filter: "Name|*.ext|...|" as Windows C++ code writes it.
    CFileDialog(BOOL openFileDialog, const wchar_t* defExt = nullptr, const wchar_t* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr,
                CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;
    virtual INT_PTR DoModal();
    CString GetPathName() const { return CString(m_file); }
    CString GetFileName() const;
    CString GetFileExt() const;

    OPENFILENAMEW m_ofn{};

private:
    BOOL m_open;
    wchar_t m_file[MAX_PATH * 4] = {};
    std::wstring m_filter;
    CString m_defExt;
};

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    virtual ~CColorDialog() = default;
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLORW m_cc{};
};
