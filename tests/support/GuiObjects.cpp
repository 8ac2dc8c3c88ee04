#include "GuiObjects.h"

#include <winternl.h>

#include <cstdint>
#include <cstring>
#include <set>

namespace {

// One entry of the process's GDI handle table (64-bit layout, the same on
// Windows and Wine); the table's address is in the PEB.
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");
const size_t kPebGdiSharedHandleTable = 0xF8;
const int kGdiHandleTableSize = 0x10000;

const BYTE* ProcessPeb()
{
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(::GetCurrentProcess(), 0 /* ProcessBasicInformation */, &info, sizeof(info), nullptr) != 0)
        return nullptr;
    return reinterpret_cast<const BYTE*>(info.PebBaseAddress);
}

int GdiTableCount()
{
    const BYTE* peb = ProcessPeb();
    if (!peb)
        return -1;
    const GdiHandleEntry* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiSharedHandleTable);
    if (!table)
        return -1;
    int n = 0;
    for (int i = 0; i < kGdiHandleTableSize; ++i)
        if (table[i].type)
            ++n;
    return n;
}

BOOL CALLBACK CountChildren(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountOwnWindows(HWND w, LPARAM count)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == ::GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        ::EnumChildWindows(w, &CountChildren, count);
    }
    return TRUE;
}

// ---- the watch: SelectObject and DeleteObject through the import table ----

using SelectFn = HGDIOBJ(WINAPI*)(HDC, HGDIOBJ);
using DeleteFn = BOOL(WINAPI*)(HGDIOBJ);

SelectFn g_select = nullptr;
DeleteFn g_delete = nullptr;
std::set<HDC>* g_dcs = nullptr;
int g_faults = 0;
DWORD g_thread = 0;  // only the watching thread's calls are looked at

HGDIOBJ WINAPI WatchedSelect(HDC dc, HGDIOBJ object)
{
    if (g_dcs && dc && ::GetCurrentThreadId() == g_thread)
        g_dcs->insert(dc);
    return g_select(dc, object);
}

BOOL WINAPI WatchedDelete(HGDIOBJ object)
{
    const DWORD type = object && ::GetCurrentThreadId() == g_thread ? ::GetObjectType(object) : 0;
    if (g_dcs && (type == OBJ_PEN || type == OBJ_BRUSH || type == OBJ_FONT || type == OBJ_BITMAP)) {
        for (auto it = g_dcs->begin(); it != g_dcs->end();) {
            if (!::GetObjectType(*it)) {
                it = g_dcs->erase(it);
                continue;
            }
            if (::GetCurrentObject(*it, type) == object)
                ++g_faults;
            ++it;
        }
    }
    return g_delete(object);
}

// The import-table slot of the program's own module that holds `target`.
void** FindImportSlot(void* target)
{
    BYTE* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
        for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function; ++t)
            if (reinterpret_cast<void*>(t->u1.Function) == target)
                return reinterpret_cast<void**>(&t->u1.Function);
    }
    return nullptr;
}

bool Patch(void** slot, void* value)
{
    DWORD old = 0;
    if (!slot || !::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old))
        return false;
    *slot = value;
    ::VirtualProtect(slot, sizeof(void*), old, &old);
    return true;
}

}  // namespace

int GdiObjectCount()
{
    const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return n ? (int)n : GdiTableCount();
}

int UserObjectCount()
{
    const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (n)
        return (int)n;
    int windows = 0;
    ::EnumWindows(&CountOwnWindows, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

CSelectedDeleteWatch::CSelectedDeleteWatch()
{
    if (g_dcs)
        return;  // one watch at a time
    HMODULE gdi = ::GetModuleHandleW(L"gdi32.dll");
    void* select = gdi ? reinterpret_cast<void*>(::GetProcAddress(gdi, "SelectObject")) : nullptr;
    void* del = gdi ? reinterpret_cast<void*>(::GetProcAddress(gdi, "DeleteObject")) : nullptr;
    void** selectSlot = FindImportSlot(select);
    void** deleteSlot = FindImportSlot(del);
    if (!selectSlot || !deleteSlot)
        return;
    g_select = reinterpret_cast<SelectFn>(select);
    g_delete = reinterpret_cast<DeleteFn>(del);
    g_dcs = new std::set<HDC>;
    g_faults = 0;
    g_thread = ::GetCurrentThreadId();
    m_active = Patch(selectSlot, reinterpret_cast<void*>(&WatchedSelect)) &&
               Patch(deleteSlot, reinterpret_cast<void*>(&WatchedDelete));
    if (!m_active) {
        Patch(selectSlot, select);
        Patch(deleteSlot, del);
        delete g_dcs;
        g_dcs = nullptr;
    }
}

CSelectedDeleteWatch::~CSelectedDeleteWatch()
{
    if (!m_active)
        return;
    Patch(FindImportSlot(reinterpret_cast<void*>(&WatchedSelect)), reinterpret_cast<void*>(g_select));
    Patch(FindImportSlot(reinterpret_cast<void*>(&WatchedDelete)), reinterpret_cast<void*>(g_delete));
    delete g_dcs;
    g_dcs = nullptr;
}

int CSelectedDeleteWatch::Faults() const { return g_faults; }
