// Tells the programs that a model was attached or detached, as the system
// tells them of a real mouse: WM_DEVICECHANGE with DBT_DEVICEARRIVAL or
// DBT_DEVICEREMOVECOMPLETE and the device-interface record of the one class
// each program registers for (the HID class for the configurator, the mouse
// class for the tray program), and DBT_DEVNODES_CHANGED.
//
// The notices go to the top-level windows that no other window owns (not
// to popups and tooltips) of the configurator's and the tray program's
// processes only: test programs that run the same windows in their own
// process, over the object model, must not hear of the mouse that other
// tests attach and detach.
//
// A change goes to the windows there are when it happens (a program that
// starts later reads the mouse as it then is). One thread of the server
// sends the notices in order, outside the service's lock: a program that is
// slow or hung costs that thread a bounded wait and never holds up a
// client's call.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace tkservice {

class DeviceNotifier {
public:
    // Starts the sending thread; false when it could not start (then
    // nothing is told).
    bool Start();
    // Queues the notices of one change for the windows there are now and
    // returns without waiting on any of them; past a backlog of 64 changes,
    // later ones are dropped.
    void Post(ULONG productId, bool attached);

    struct Window {
        HWND window;
        DWORD thread;
        const GUID* interfaceClass;  // the one its program registers for
    };

private:
    struct Change {
        ULONG productId;
        bool attached;
        std::vector<Window> windows;
    };
    static unsigned __stdcall Run(void* self);
    void Send(const Change& change);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Change> queue_;
};

}  // namespace tkservice
