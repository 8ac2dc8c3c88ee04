#include "AssignKeysPage.h"
