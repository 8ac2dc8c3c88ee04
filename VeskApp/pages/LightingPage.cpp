#include "LightingPage.h"
