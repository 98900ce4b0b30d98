#include "tests/windows/fake_servers/fake_dispatch.h"

#include "platform/text.h"
#include "platform/win32/server_failure.h"
#include "platform/win32/wide_text.h"

namespace lexi::fakecom {

bool Arguments::given(std::size_t index) const {
    if (index >= size()) {
        return false;
    }
    const VARIANT& value = reference(index);
    return !(V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND);
}

AutomationValue Arguments::operator[](std::size_t index) const {
    return given(index) ? AutomationValue::copyOf(reference(index)) : AutomationValue();
}

const VARIANT& Arguments::reference(std::size_t index) const {
    // Automation passes the arguments last first, after the named ones.
    return parameters_.rgvarg[parameters_.cArgs - 1 - index];
}

HRESULT FakeDispatch::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
    } else {
        *out = otherInterface(iid);
    }
    if (!*out) {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG FakeDispatch::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT FakeDispatch::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT FakeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

HRESULT FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) {
        return E_POINTER;
    }
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    const auto found = ids_.find(text::toLower(win32::fromWide(names[0])));
    if (found == ids_.end() || count > 1) {
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = found->second;
    return S_OK;
}

HRESULT FakeDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                             VARIANT* result, EXCEPINFO* exception, UINT*) {
    if (id < 1 || static_cast<std::size_t>(id) > members_.size() || !parameters) {
        return DISP_E_MEMBERNOTFOUND;
    }
    const Member& member = members_[id - 1];
    const Arguments arguments(*parameters);
    try {
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (!member.put || parameters->cArgs != 1) {
                return DISP_E_MEMBERNOTFOUND;
            }
            member.put(AutomationValue::copyOf(parameters->rgvarg[0]));
            return S_OK;
        }
        AutomationValue answer = member.call(arguments);
        if (result) {
            *result = answer.variant();
            VariantInit(&answer.variant()); // the caller owns it now
        }
        return S_OK;
    } catch (const Failure& failed) {
        return win32::reportFailure(failed, server_, IID_NULL, exception);
    }
}

void FakeDispatch::define(Member member) {
    ids_.emplace(text::toLower(member.name), static_cast<DISPID>(members_.size() + 1));
    members_.push_back(std::move(member));
}

} // namespace lexi::fakecom
