#include "VeskConfig.h"
#include "ActiveProfileFile.h"

CVeskConfig::CVeskConfig()
{
    BuildConfigStoragePaths(ExecutableFolder().c_str());
}
