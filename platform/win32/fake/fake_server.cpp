// The entry points of a double's DLL: one class factory for the process,
// which never goes, making the server file's application objects.

#include "platform/win32/fake/fake_server.h"

#include <unknwn.h>

namespace lexi::fakecom {
namespace {

class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        const AutomationValue application = newServedApplication();
        return V_DISPATCH(&application.variant())->QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

} // namespace
} // namespace lexi::fakecom

STDAPI DllGetClassObject(REFCLSID, REFIID iid, void** out) {
    static lexi::fakecom::Factory factory;
    return factory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() {
    return S_FALSE;
}
