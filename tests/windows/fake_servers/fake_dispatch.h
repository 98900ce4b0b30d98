#pragma once

#include "platform/win32/automation.h"

#include <atomic>
#include <functional>
#include <map>
#include <oaidl.h>
#include <string>
#include <vector>

// The plumbing of the test doubles of automation servers: an object answers
// IDispatch from a table of members, each with its name, its dispatch
// number and what a call does.
namespace lexi::fakecom {

using win32::AutomationValue;
using win32::DispatchObject;

// The arguments of a call, in the member's order.
class Arguments {
public:
    explicit Arguments(const DISPPARAMS& parameters) : parameters_(parameters) {}
    std::size_t size() const { return parameters_.cArgs - parameters_.cNamedArgs; }
    // Given, and not left out.
    bool given(std::size_t index) const;
    // The argument's value; Empty when it is not given.
    AutomationValue operator[](std::size_t index) const;
    // The variable an argument passed by reference points at.
    const VARIANT& reference(std::size_t index) const;

private:
    const DISPPARAMS& parameters_;
};

struct Member {
    std::string name;
    // A property's value or a method's result; a method without one answers
    // Empty.
    std::function<AutomationValue(const Arguments&)> call;
    // Sets the property; none for a read-only property or a method.
    std::function<void(const AutomationValue&)> put = {};
};

// An automation object of a double. It counts its references and is deleted
// with the last.
class FakeDispatch : public IDispatch {
public:
    FakeDispatch(const FakeDispatch&) = delete;
    FakeDispatch& operator=(const FakeDispatch&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    // Names in any letter case.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    // A Failure thrown by a member reaches the caller as an automation error.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

protected:
    explicit FakeDispatch(std::string server) : server_(std::move(server)) {}
    virtual ~FakeDispatch() = default;

    // Adds a member; its dispatch number is the next free one.
    void define(Member member);
    // Members to answer besides IDispatch, for example a connection point
    // container.
    virtual void* otherInterface(REFIID) { return nullptr; }

private:
    std::atomic<ULONG> references_{1};
    std::string server_;
    std::vector<Member> members_;
    std::map<std::string, DISPID> ids_; // names in lower case
};

// A new double as an automation value, its one reference the value's.
template <typename Double, typename... Args> AutomationValue newObject(Args&&... args) {
    return AutomationValue(DispatchObject(new Double(std::forward<Args>(args)...)));
}

} // namespace lexi::fakecom
