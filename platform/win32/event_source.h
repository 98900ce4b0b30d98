#pragma once

#include <map>
#include <ocidl.h>

namespace lexi::win32 {

// The connection point of an automation server's event interface: listeners
// (a control container, WithEvents, an automation client) connect and
// disconnect, and the server raises its events to each. The point is part of
// its object: it lives and counts references with it.
class EventSource final : public IConnectionPoint {
public:
    EventSource(IConnectionPointContainer& container, REFIID events)
        : container_(container), events_(events) {}
    ~EventSource();
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) override;
    // Connects a listener that implements the event interface.
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    // Listing the listeners is not offered.
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    // Calls the event with that number on every listener, through its
    // IDispatch; by-reference arguments come back changed.
    void raise(DISPID event, DISPPARAMS& arguments);

    // An enumeration of this point alone, for the container.
    IEnumConnectionPoints* enumerate();

private:
    IConnectionPointContainer& container_;
    IID events_;
    std::map<DWORD, IUnknown*> sinks_;
    DWORD lastCookie_ = 0;
};

} // namespace lexi::win32
