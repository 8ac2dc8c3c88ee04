// Keeps the RPC registration of interfaces that a process serves to other
// processes for the rest of its life.
//
// COM registers an interface with the RPC runtime while any object of it is
// marshalled, and takes it away again when the last one goes, waiting there
// for that interface's calls in progress to end. Under Wine that wait can
// miss the end of a call that finishes at the same moment (a caller that
// releases an object right after its last call on it), and then waits for
// ever while holding the lock every marshalling takes: the process stops
// answering for good. An interface kept registered is never taken away, so
// that wait never happens. On Windows this costs one small stub per
// interface.
#pragma once

#include <objbase.h>

#include <cstddef>

// Call in an apartment of the serving process once COM is initialised; false
// when some interface could not be kept (the others are).
bool KeepInterfacesServed(const IID* const* iids, size_t count);
