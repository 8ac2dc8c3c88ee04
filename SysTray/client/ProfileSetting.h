// One profile's linked program and display flags, as the tray reads them.
#pragma once
#include "String.h"

struct _Profile_Setting_ {
    CString name;
    CString linkedAppPath;  // the linked program's file name
    int appLinkEnabled = 0;
    int dpiOsd = 0;
    int profileOsd = 0;
};

// The device's property ids and the bits of the flags property.
const ULONG kPropLinkedApp = 0x80000002;
const ULONG kPropFlags = 0x80000003;
const ULONG kLinkedAppBytes = 256;
const size_t kMaxLinkedAppChars = 127;
