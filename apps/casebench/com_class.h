#pragma once

#include "library/casebench_library.h"

#include <objbase.h>
#include <vector>

namespace lexi::com {

// A class of the library with the identities COM knows it by, read from the
// frame's class table.
struct ComClass {
    const LibraryClass& frameClass;
    CLSID classId;
    IID interfaceId;      // the default dispatch interface
    IID eventInterfaceId; // the event interface, which declares no events
};

// The library's classes in the type library's order.
const std::vector<ComClass>& comClasses();

// The class of that identity; null when the library has none.
const ComClass* comClassOf(REFCLSID classId);

// The class of a frame object.
const ComClass& comClassOf(const ClassInfo& info);

} // namespace lexi::com
