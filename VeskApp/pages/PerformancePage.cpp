#include "PerformancePage.h"
