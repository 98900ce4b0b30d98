#include "platform/win32/event_source.h"

#include <atomic>
#include <olectl.h>

namespace lexi::win32 {
namespace {

// Enumerates one connection point.
class OnePoint final : public IEnumConnectionPoints {
public:
    OnePoint(IConnectionPoint& point, ULONG position) : point_(point), position_(position) {
        point_.AddRef();
    }
    ~OnePoint() { point_.Release(); }
    OnePoint(const OnePoint&) = delete;
    OnePoint& operator=(const OnePoint&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumConnectionPoints)) {
            *out = static_cast<IEnumConnectionPoints*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points,
                                   ULONG* fetched) override {
        if (!points || (count > 1 && !fetched)) {
            return E_POINTER;
        }
        ULONG given = 0;
        if (count > 0 && position_ == 0) {
            points[0] = &point_;
            point_.AddRef();
            position_ = 1;
            given = 1;
        }
        if (fetched) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const bool past = position_ + count > 1;
        position_ = past ? 1 : position_ + count;
        return past ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** copy) override {
        if (!copy) {
            return E_POINTER;
        }
        *copy = new OnePoint(point_, position_);
        return S_OK;
    }

private:
    std::atomic<ULONG> references_{1};
    IConnectionPoint& point_;
    ULONG position_;
};

} // namespace

EventSource::~EventSource() {
    for (const auto& [cookie, sink] : sinks_) {
        sink->Release();
    }
}

HRESULT EventSource::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT EventSource::GetConnectionInterface(IID* iid) {
    if (!iid) {
        return E_POINTER;
    }
    *iid = events_;
    return S_OK;
}

HRESULT EventSource::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) {
        return E_POINTER;
    }
    container_.AddRef();
    *container = &container_;
    return S_OK;
}

HRESULT EventSource::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) {
        return E_POINTER;
    }
    *cookie = 0;
    void* listener = nullptr;
    if (FAILED(sink->QueryInterface(events_, &listener))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = ++lastCookie_;
    sinks_[*cookie] = static_cast<IUnknown*>(listener);
    return S_OK;
}

HRESULT EventSource::Unadvise(DWORD cookie) {
    const auto found = sinks_.find(cookie);
    if (found == sinks_.end()) {
        return CONNECT_E_NOCONNECTION;
    }
    found->second->Release();
    sinks_.erase(found);
    return S_OK;
}

HRESULT EventSource::EnumConnections(IEnumConnections** connections) {
    if (connections) {
        *connections = nullptr;
    }
    return E_NOTIMPL;
}

void EventSource::raise(DISPID event, DISPPARAMS& arguments) {
    // A listener may disconnect while it handles the event.
    const auto listeners = sinks_;
    for (const auto& [cookie, sink] : listeners) {
        static_cast<IDispatch*>(sink)->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                              &arguments, nullptr, nullptr, nullptr);
    }
}

IEnumConnectionPoints* EventSource::enumerate() {
    return new OnePoint(*this, 0);
}

} // namespace lexi::win32
