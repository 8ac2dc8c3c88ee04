#include "AssignButtonsPage.h"
