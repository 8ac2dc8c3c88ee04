// Which device-interface notifications concern the tray: the mouse
// interfaces of its vendor's three products.
#pragma once
#include <windows.h>

#include <dbt.h>

#include "String.h"

// The interface path of a device-interface broadcast, upper-cased; it never
// reads past dbcc_size. False for another kind of broadcast or a record too
// small to hold one.
bool InterfacePathOf(const DEV_BROADCAST_HDR* header, CString& path);

// The product an (upper-case) interface path names: 0x1F, 0x21 or 0x15 when
// it holds "VID_2F7C" and that product's "PID_00xx", else 0.
int TrayProductOfPath(const CString& path);
