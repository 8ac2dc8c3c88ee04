// The index walk and the GUID lookup of the service's lists (profiles,
// macros, lighting zones). Callers walk Item from 0 until it fails and test
// only the sign, so every list must end its walk and refuse an unknown GUID
// the same way, and leave *out null whenever it fails.
#pragma once

#include <memory>
#include <vector>

#include "ServiceCore.h"

namespace tkservice {

// *out = make(list[index]) for 0 <= index < size, kErrNoMoreItems otherwise.
template <class I, class T, class Make>
HRESULT ItemAt(const std::vector<T>& list, LONG index, I** out, Make make)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= list.size()) return kErrNoMoreItems;
    *out = make(list[static_cast<size_t>(index)]);
    return *out ? S_OK : E_OUTOFMEMORY;
}

// *out = make(item) for the item whose id is id, kErrNotFound otherwise.
template <class I, class T, class Make>
HRESULT FindById(const std::vector<std::shared_ptr<T>>& list, const GUID& id, I** out, Make make)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const std::shared_ptr<T>& item : list) {
        if (IsEqualGUID(item->id, id)) {
            *out = make(item);
            return *out ? S_OK : E_OUTOFMEMORY;
        }
    }
    return kErrNotFound;
}

// The same on one of a device's own lists (d.profiles, d.macros), which
// answers only while the device is still attached.
template <class I, class T, class Make>
HRESULT DeviceItem(DeviceRef ref, std::vector<T> DeviceState::*list, LONG index, I** out, Make make)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    DeviceState* d = ServiceCore::Instance().Live(ref);
    if (!d) return kErrNotConnected;
    return ItemAt(d->*list, index, out, make);
}

template <class I, class T, class Make>
HRESULT DeviceFind(DeviceRef ref, std::vector<std::shared_ptr<T>> DeviceState::*list, const GUID& id,
                   I** out, Make make)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    DeviceState* d = ServiceCore::Instance().Live(ref);
    if (!d) return kErrNotConnected;
    return FindById(d->*list, id, out, make);
}

}  // namespace tkservice
