#include "MacrosPage.h"
