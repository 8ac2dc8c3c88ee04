// CFileVersions: the file and product versions in the version resource of
// the running program (or of any file whose path is set).
#pragma once
#include "String.h"

class CFileVersions {
public:
    CFileVersions();
    virtual ~CFileVersions() = default;

    // The running program's file name.
    void ReadModulePath();
    void SetModulePath(const wchar_t* path) { m_modulePath = path ? path : L""; }
    // Fills the versions from the file named by the module path; false (and
    // the defaults kept) for no path, no version resource, or a root block
    // that is not one fixed file-information record.
    bool ReadVersions();

    const CString& ModulePath() const { return m_modulePath; }
    const CString& FileVersion() const { return m_fileVersion; }        // "a.b.c.d"
    const CString& ProductVersion() const { return m_productVersion; }  // "a.b.c.d"
    // Parts 1-4 as decimal texts (index 0-3).
    const CString& FilePart(int i) const { return m_fileParts[i & 3]; }
    const CString& ProductPart(int i) const { return m_productParts[i & 3]; }

private:
    CString m_modulePath;
    CString m_fileVersion;
    CString m_productVersion;
    CString m_fileParts[4];
    CString m_productParts[4];
};
