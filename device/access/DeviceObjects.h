// The configurator's device object: created once at start (the model picker
// when it reads the attached device, else the null device with defaults) and
// released at exit.
#pragma once
#include "MousePicker.h"
#include "NullMouse.h"

// Creates a picker over the known models and reads the whole configuration
// through it; when that fails, the null device fills the defaults instead.
// callback (may be null) is the picker's completion callback, called with
// application as its user data. Both objects stay in the program's globals.
GenDevice* CreateDeviceObject(IMouseConfig* config, void* application,
                              CMousePicker::Callback callback = nullptr);

// Deletes the picker and the null device (a running write is waited for)
// and clears the globals.
void ReleaseAppGlobals();

// The globals (null when absent).
CMousePicker* AppPicker();
CNullMouse* AppNullMouse();
