#include "ProfilesPage.h"
