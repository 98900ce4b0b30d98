#pragma once

#include "library/casebench_library.h"

#include <atomic>
#include <oaidl.h>

// What the objects of casebench.ocx share. The library's composition root
// provides it.
namespace lexi::com {

// The library on the Windows platform, built on first use; it lives as long
// as the library is loaded.
CasebenchLibrary& casebenchLibrary();

// The type library embedded in the library's own file; null when it cannot
// be read.
ITypeLib* typeLibrary();

// What keeps the library loaded: its live objects and the host's locks.
inline std::atomic<long> serverReferences{0};

} // namespace lexi::com
