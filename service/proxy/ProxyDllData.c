/* The proxy/stub DLL's entry points over the widl-generated proxy file.
   DllRegisterServer registers every interface of DeviceService.idl with
   this DLL as its proxy/stub, under the class id below. */
#define REGISTER_PROXY_DLL
#define PROXY_CLSID_IS {0xBF90FB70, 0x0CBB, 0x4BB2, {0xA7, 0x6F, 0xD7, 0x94, 0xE4, 0xA1, 0x44, 0xF5}}
#include <rpcproxy.h>

EXTERN_PROXY_FILE(DeviceService)

PROXYFILE_LIST_START
REFERENCE_PROXY_FILE(DeviceService),
PROXYFILE_LIST_END

DLLDATA_ROUTINES(aProxyFileList, GET_DLL_CLSID)
