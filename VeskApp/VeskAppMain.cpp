// The configurator's one global: the application object.
#include "VeskApp.h"

CVeskAppApp theApp;
