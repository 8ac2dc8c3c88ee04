// Counting a process's GDI and USER objects, and catching GDI objects that
// are deleted while still selected into a device context. Windows leaks
// both; Wine forgives them (GetGuiResources is a stub there, and it deletes
// a selected object once it is deselected), so tests count and watch here.
#pragma once
#include <windows.h>

// GDI objects of this process: GetGuiResources, or under Wine the entries in
// use in the process's GDI handle table.
int GdiObjectCount();
// USER objects of this process: GetGuiResources, or under Wine the windows
// the process owns (the USER objects a widget makes).
int UserObjectCount();

// While it lives, every DeleteObject that this program's own code makes on
// the watching thread (its import table is patched; system DLLs are not) is
// checked: an object still selected into a DC the program selected into
// counts as a fault.
class CSelectedDeleteWatch {
public:
    CSelectedDeleteWatch();
    ~CSelectedDeleteWatch();
    CSelectedDeleteWatch(const CSelectedDeleteWatch&) = delete;
    CSelectedDeleteWatch& operator=(const CSelectedDeleteWatch&) = delete;

    bool Active() const { return m_active; }
    // Deletions of a selected object since the watch began.
    int Faults() const;

private:
    bool m_active = false;
};
