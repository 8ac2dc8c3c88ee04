#include "CommonDialogs.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const wchar_t* defExt, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, CWnd* parent)
    : m_open(openFileDialog), m_defExt(defExt)
{
    if (fileName)
        lstrcpynW(m_file, fileName, (int)(sizeof(m_file) / sizeof(m_file[0])));
    if (filter) {
        m_filter = filter;
        for (auto& c : m_filter)
            if (c == L'|') c = L'\0';
        m_filter.push_back(L'\0');
    }
    m_ofn.lStructSize = sizeof(OPENFILENAMEW);
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFile = m_file;
    m_ofn.nMaxFile = (DWORD)(sizeof(m_file) / sizeof(m_file[0]));
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrDefExt = m_defExt.IsEmpty() ? nullptr : m_defExt.GetString();
    m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal()
{
    BOOL ok = m_open ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString path(m_file);
    int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF custom[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                  0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    return custom;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
{
    m_cc.lStructSize = sizeof(CHOOSECOLORW);
    m_cc.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_cc.rgbResult = initial;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = flags | CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    return ::ChooseColorW(&m_cc) ? IDOK : IDCANCEL;
}
