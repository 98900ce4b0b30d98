#pragma once

#include "apps/casebench/com_class.h"
#include "library/automation_object.h"
#include "platform/win32/event_source.h"

#include <atomic>
#include <memory>
#include <ocidl.h>

namespace lexi::com {

// An object of the library as an automation host holds it: the frame's
// object behind its class's dispatch interface, with its type information,
// its error information and the connection point of its event interface
// (which declares no events: nothing is raised there).
class ComObject final : public IDispatch,
                        public IProvideClassInfo,
                        public ISupportErrorInfo,
                        public IConnectionPointContainer {
public:
    ComObject(const ComClass& comClass, std::shared_ptr<AutomationObject> object);
    ~ComObject();
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    // Members are found by name in any letter case; their parameters are
    // positional only.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    // Calls the member with the arguments in the caller's order. Variables
    // passed by reference take what the member left in them, also when it
    // fails; a failure comes back as DISP_E_EXCEPTION with the runtime's
    // number, description and source.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    // Calls the member; what the caller's variables are to hold afterwards is
    // left in `arguments`.
    Variant call(DISPID id, WORD flags, std::vector<Variant>& arguments);
    HRESULT typeInfoOf(REFGUID guid, ITypeInfo** info);

    std::atomic<ULONG> references_{1};
    const ComClass& class_;
    std::shared_ptr<AutomationObject> object_;
    win32::EventSource events_;
};

// A new object around a frame object, with one reference for the caller.
IDispatch* newComObject(std::shared_ptr<AutomationObject> object);

} // namespace lexi::com
