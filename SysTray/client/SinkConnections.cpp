#include "SinkConnections.h"

#include <vector>

CSinkConnections::CSinkConnections(IDpiEventHandler* dpi, IProfileEventHandler* profile,
                                   ILaunchAppEventHandler* launch)
    : m_dpiHandler(dpi), m_profileHandler(profile), m_launchHandler(launch)
{
}

void CSinkConnections::AddProducts()
{
    for (int productId : kTrayProductIds)
        m_entries[productId];
}

const ConnectionEntry* CSinkConnections::Entry(int productId) const
{
    auto it = m_entries.find(productId);
    return it == m_entries.end() ? nullptr : &it->second;
}

void CSinkConnections::ConnectAllSinks(bool connect)
{
    std::vector<int> keys;
    for (const auto& e : m_entries)
        if (e.first != 0)
            keys.push_back(e.first);
    CSingleLock lock(&m_lock, TRUE);
    if (!connect) {
        for (int key : keys)
            DisconnectProduct(key);
        return;
    }
    // One look at what is attached serves every product.
    CDeviceManager manager;
    manager.ScanPresentProducts();
    for (int key : keys)
        Connect(key, manager);
}

void CSinkConnections::ConnectProduct(int productId)
{
    CDeviceManager manager;
    manager.ScanPresentProducts();
    Connect(productId, manager);
}

void CSinkConnections::Connect(int productId, CDeviceManager& manager)
{
    ConnectionEntry& entry = m_entries[productId];
    if (!manager.IsPresent(productId)) {
        // Give a device that is still coming up a moment before the next try.
        ::Sleep(100);
        entry.productId = 0;
        return;
    }
    if (!entry.dpi)
        entry.dpi = manager.ConnectDpiEvents(productId, m_dpiHandler);
    if (!entry.profile)
        entry.profile = manager.ConnectProfileEvents(productId, m_profileHandler);
    if (!entry.launch)
        entry.launch = manager.ConnectLaunchAppEvents(productId, m_launchHandler);
    entry.productId = productId;
}

void CSinkConnections::DisconnectProduct(int productId)
{
    auto it = m_entries.find(productId);
    if (it == m_entries.end())
        return;
    // Out of the map first: a connection's destructor calls the service,
    // which may deliver other events meanwhile.
    ConnectionEntry gone = std::move(it->second);
    it->second = ConnectionEntry();
    it->second.macro = std::move(gone.macro);
}

bool CSinkConnections::DisconnectAbsent()
{
    CDeviceManager manager;
    manager.ScanPresentProducts();
    CSingleLock lock(&m_lock, TRUE);
    for (auto& e : m_entries)
        if (e.first != 0 && !manager.IsPresent(e.first))
            DisconnectProduct(e.first);
    return manager.PresentCount() > 0;
}
