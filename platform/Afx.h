// The whole class library in one include, for sources that use much of it.
#pragma once
#include "CommonControls.h"
#include "CommonDialogs.h"
#include "Controls.h"
#include "Dialog.h"
#include "Gdi.h"
#include "Geometry.h"
#include "Menu.h"
#include "MessageMap.h"
#include "String.h"
#include "Sync.h"
#include "WinThread.h"
#include "Wnd.h"
