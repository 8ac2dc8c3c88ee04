// The tray's event connections, kept per product: the sensitivity, profile
// and launch connections of each attached product, made when a device
// arrives, a session is unlocked or the tray starts, and deleted when it goes.
#pragma once
#include <map>
#include <memory>

#include "DeviceManager.h"
#include "EventSinks.h"
#include "Sync.h"

struct ConnectionEntry {
    int productId = 0;  // the key while connected, else 0
    std::unique_ptr<CDpiEventConnection> dpi;
    std::unique_ptr<CProfileEventConnection> profile;
    std::unique_ptr<CMacroEventConnection> macro;  // the recorder's: never made
    std::unique_ptr<CLaunchAppEventConnection> launch;
};

class CSinkConnections {
public:
    // The handlers get every event of every connection made here.
    CSinkConnections(IDpiEventHandler* dpi, IProfileEventHandler* profile, ILaunchAppEventHandler* launch);
    ~CSinkConnections() { DisconnectAll(); }

    // Creates the (empty) entry of each known product.
    void AddProducts();
    // Connects every attached product that is not connected yet.
    void ConnectAll() { ConnectAllSinks(true); }
    void DisconnectAll() { ConnectAllSinks(false); }
    // Disconnects the products that are no longer attached; true when at
    // least one known product still is.
    bool DisconnectAbsent();
    void ConnectProduct(int productId);
    void DisconnectProduct(int productId);

    const ConnectionEntry* Entry(int productId) const;

private:
    void ConnectAllSinks(bool connect);
    void Connect(int productId, CDeviceManager& manager);

    IDpiEventHandler* m_dpiHandler;
    IProfileEventHandler* m_profileHandler;
    ILaunchAppEventHandler* m_launchHandler;
    CCriticalSection m_lock;
    std::map<int, ConnectionEntry> m_entries;
};
