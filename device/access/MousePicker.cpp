#include "MousePicker.h"

#include <algorithm>

#include "ServiceConnection.h"

int ChooseModel(const DeviceDescriptor* table, size_t count, int current,
                const std::vector<uint32_t>& attached)
{
    auto isAttached = [&](uint32_t id) {
        return std::find(attached.begin(), attached.end(), id) != attached.end();
    };
    if (table && current >= 0 && static_cast<size_t>(current) < count && isAttached(table[current].productId))
        return current;
    for (size_t i = 0; table && i < count; ++i)
        if (isAttached(table[i].productId))
            return static_cast<int>(i);
    return -1;
}

CMousePicker::CMousePicker(const DeviceDescriptor* table, size_t count, void* userData)
    : m_userData(userData)
{
    for (size_t i = 0; table && i < count; ++i)
        m_entries.push_back(Entry{&table[i], nullptr});
}

CMousePicker::~CMousePicker() = default;

bool CMousePicker::Detect()
{
    ComPtr<IDeviceCollection> collection;
    if (FAILED(CreateDeviceServiceCollection(collection.Out())))
        return false;
    std::vector<ULONG> found = ListServiceProductIds(collection.Get());
    collection.Reset();
    std::vector<uint32_t> attached(found.begin(), found.end());

    std::vector<DeviceDescriptor> table;
    for (const Entry& e : m_entries)
        table.push_back(*e.model);
    int next = ChooseModel(table.data(), table.size(), m_chosen, attached);
    if (next != m_chosen && m_chosen >= 0)
        m_entries[static_cast<size_t>(m_chosen)].mouse.reset();
    m_chosen = next;
    return m_chosen >= 0;
}

CMouse* CMousePicker::Chosen() const
{
    return m_chosen >= 0 ? m_entries[static_cast<size_t>(m_chosen)].mouse.get() : nullptr;
}

bool CMousePicker::ReadAll(IMouseConfig* config)
{
    if (!Detect())
        return false;
    Entry& entry = m_entries[static_cast<size_t>(m_chosen)];
    entry.mouse.reset();  // an earlier object of this model finishes its write first
    entry.mouse.reset(new CMouse(entry.model));
    bool ok = entry.mouse->ReadAll(config);
    if (ok && m_callback)
        m_callback(entry.mouse.get(), m_userData);
    return ok;
}

bool CMousePicker::Transfer(IMouseConfig* config, int direction, uint32_t mask)
{
    const int before = m_chosen;
    if (!Detect()) {
        if (m_callback)
            m_callback(nullptr, m_userData);
        return false;
    }
    CMouse* mouse = Chosen();
    if (m_chosen != before || !mouse)
        return false;
    return mouse->Transfer(config, direction, mask);
}

bool CMousePicker::IsBusy()
{
    CMouse* m = Chosen();
    return m && m->IsBusy();
}

bool CMousePicker::ImportMacro(const wchar_t* path, IMouseConfig* config)
{
    CMouse* m = Chosen();
    return m && m->ImportMacro(path, config);
}

bool CMousePicker::ExportMacro(const wchar_t* path, CMacro* macro)
{
    CMouse* m = Chosen();
    return m && m->ExportMacro(path, macro);
}

bool CMousePicker::MacroExists(CMacro* macro)
{
    CMouse* m = Chosen();
    return m && m->MacroExists(macro);
}

bool CMousePicker::ImportProfile(const wchar_t* path, IMouseConfig* config)
{
    CMouse* m = Chosen();
    return m && m->ImportProfile(path, config);
}

bool CMousePicker::ExportProfile(const wchar_t* path, IMouseProfile* profile)
{
    CMouse* m = Chosen();
    return m && m->ExportProfile(path, profile);
}

bool CMousePicker::ProfileExists(IMouseProfile* profile)
{
    CMouse* m = Chosen();
    return m && m->ProfileExists(profile);
}

bool CMousePicker::Reserved9()
{
    CMouse* m = Chosen();
    return m && m->Reserved9();
}

bool CMousePicker::Reserved10()
{
    CMouse* m = Chosen();
    return m && m->Reserved10();
}

bool CMousePicker::Reserved11()
{
    CMouse* m = Chosen();
    return m && m->Reserved11();
}

bool CMousePicker::IsConnected()
{
    CMouse* m = Chosen();
    return m && m->IsConnected();
}

bool CMousePicker::GetVersionA(CString& out)
{
    CMouse* m = Chosen();
    return m && m->GetVersionA(out);
}

bool CMousePicker::GetVersionB(CString& out)
{
    CMouse* m = Chosen();
    return m && m->GetVersionB(out);
}

bool CMousePicker::IsOnline()
{
    CMouse* m = Chosen();
    return m && m->IsOnline();
}

uint32_t CMousePicker::GetProductId()
{
    CMouse* m = Chosen();
    return m ? m->GetProductId() : 0;
}

const wchar_t* CMousePicker::GetName()
{
    CMouse* m = Chosen();
    return m ? m->GetName() : L"";
}

uint32_t CMousePicker::GetDeviceProfileCount()
{
    CMouse* m = Chosen();
    return m ? m->GetDeviceProfileCount() : 0;
}

void CMousePicker::AddProgressListener(HWND window)
{
    if (CMouse* m = Chosen())
        m->AddProgressListener(window);
}

void CMousePicker::RemoveProgressListener(HWND window)
{
    if (CMouse* m = Chosen())
        m->RemoveProgressListener(window);
}

CProgressMessenger* CMousePicker::GetProgressMessenger()
{
    CMouse* m = Chosen();
    return m ? m->GetProgressMessenger() : nullptr;
}

bool CMousePicker::LastWriteSucceeded()
{
    CMouse* m = Chosen();
    return m && m->LastWriteSucceeded();
}
