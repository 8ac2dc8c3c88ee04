#include "DeviceObjects.h"

#include "DeviceDescriptor.h"

namespace {

CMousePicker* g_picker = nullptr;
CNullMouse* g_nullMouse = nullptr;

}  // namespace

GenDevice* CreateDeviceObject(IMouseConfig* config, void* application, CMousePicker::Callback callback)
{
    ReleaseAppGlobals();  // a second call replaces the first one's objects
    size_t count = 0;
    const DeviceDescriptor* table = KnownDevices(count);
    g_picker = new CMousePicker(table, count, application);
    g_picker->SetCallback(callback);
    if (g_picker->ReadAll(config))
        return g_picker;
    delete g_picker;
    g_picker = nullptr;
    g_nullMouse = new CNullMouse();
    g_nullMouse->ReadAll(config);
    return g_nullMouse;
}

void ReleaseAppGlobals()
{
    delete g_picker;
    g_picker = nullptr;
    delete g_nullMouse;
    g_nullMouse = nullptr;
}

CMousePicker* AppPicker()
{
    return g_picker;
}

CNullMouse* AppNullMouse()
{
    return g_nullMouse;
}
