#include "ServiceConnect.h"

HRESULT ConnectDeviceService(IDeviceCollection** out)
{
    HRESULT hr = RPC_E_DISCONNECTED;
    for (int tries = 0; tries < 2 && hr == RPC_E_DISCONNECTED; ++tries)
        hr = ::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX, IID_IDeviceCollection,
                                reinterpret_cast<void**>(out));
    return hr;
}
