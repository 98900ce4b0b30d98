#include "apps/casebench/class_factory.h"

#include "apps/casebench/com_object.h"
#include "apps/casebench/com_server.h"
#include "platform/win32/server_failure.h"

#include <exception>

namespace lexi::com {

ClassFactory::ClassFactory(const ComClass& comClass) : class_(comClass) {
    ++serverReferences;
}

ClassFactory::~ClassFactory() {
    --serverReferences;
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() {
    return ++references_;
}

ULONG ClassFactory::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (outer) {
        return CLASS_E_NOAGGREGATION;
    }
    try {
        IDispatch* object = newComObject(class_.frameClass.create(casebenchLibrary()));
        const HRESULT answer = object->QueryInterface(iid, out);
        object->Release();
        return answer;
    } catch (const std::exception& thrown) {
        return win32::reportFailure(win32::failureOf(thrown, "Casebench"), "Casebench",
                                    class_.interfaceId);
    }
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    serverReferences += lock ? 1 : -1;
    return S_OK;
}

} // namespace lexi::com
