#include "platform/win32/event_connection.h"

#include "platform/win32/server_failure.h"

#include <atomic>
#include <utility>

namespace lexi::win32 {

// The object the server calls: a dispatch interface that hands each event to
// the handler. It may outlive the connection while the server still holds
// it; by then it has no handler.
class EventConnection::Listener final : public IDispatch {
public:
    Listener(const IID& events, Handler handler) : events_(events), handler_(std::move(handler)) {}

    void disconnect() { handler_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, events_)) {
            *out = static_cast<IDispatch*>(this);
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
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) {
            *info = nullptr;
        }
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    // A failure of the handler goes back to the server as an automation
    // error.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* arguments, VARIANT*,
                                     EXCEPINFO* exception, UINT*) override {
        if (!arguments) {
            return E_POINTER;
        }
        if (!handler_) {
            return S_OK;
        }
        // Keeps the handler while it runs, should it end the connection.
        const Handler handler = handler_;
        try {
            handler(id, *arguments);
            return S_OK;
        } catch (const std::exception& thrown) {
            return reportFailure(failureOf(thrown, "Lexitray"), "Lexitray", IID_NULL, exception);
        }
    }

private:
    std::atomic<ULONG> references_{1};
    IID events_;
    Handler handler_;
};

EventConnection::EventConnection(const DispatchObject& source, const IID& events, Handler handler) {
    IConnectionPointContainer* container = nullptr;
    if (!source || FAILED(source.get()->QueryInterface(IID_IConnectionPointContainer,
                                                       reinterpret_cast<void**>(&container)))) {
        throw Failure(failure::UnsupportedMember, "Events");
    }
    const HRESULT found = container->FindConnectionPoint(events, &point_);
    container->Release();
    if (FAILED(found)) {
        throw Failure(failure::UnsupportedMember, "Events");
    }
    listener_ = new Listener(events, std::move(handler));
    if (FAILED(point_->Advise(listener_, &cookie_))) {
        listener_->Release();
        point_->Release();
        throw Failure(failure::UnsupportedMember, "Events");
    }
}

EventConnection::~EventConnection() {
    listener_->disconnect();
    point_->Unadvise(cookie_);
    point_->Release();
    listener_->Release();
}

} // namespace lexi::win32
