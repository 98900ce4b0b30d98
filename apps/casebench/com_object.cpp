#include "apps/casebench/com_object.h"

#include "apps/casebench/com_server.h"
#include "apps/casebench/com_variant.h"
#include "platform/failure.h"
#include "platform/win32/server_failure.h"
#include "platform/win32/wide_text.h"

#include <exception>
#include <olectl.h>
#include <optional>

namespace lexi::com {
namespace {

constexpr WORD Assignment = DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF;

} // namespace

ComObject::ComObject(const ComClass& comClass, std::shared_ptr<AutomationObject> object)
    : class_(comClass), object_(std::move(object)), events_(*this, comClass.eventInterfaceId) {
    ++serverReferences;
}

ComObject::~ComObject() {
    --serverReferences;
}

HRESULT ComObject::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, class_.interfaceId)) {
        *out = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(iid, IID_IProvideClassInfo)) {
        *out = static_cast<IProvideClassInfo*>(this);
    } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
        *out = static_cast<ISupportErrorInfo*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *out = static_cast<IConnectionPointContainer*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ComObject::AddRef() {
    return ++references_;
}

ULONG ComObject::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT ComObject::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = typeLibrary() ? 1 : 0;
    return S_OK;
}

HRESULT ComObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) {
        return E_POINTER;
    }
    *info = nullptr;
    return index == 0 ? typeInfoOf(class_.interfaceId, info) : DISP_E_BADINDEX;
}

HRESULT ComObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (!names || !ids || count == 0) {
        return E_INVALIDARG;
    }
    const Member* member = class_.frameClass.info.member(win32::fromWide(names[0]));
    ids[0] = member ? member->dispatchId : DISPID_UNKNOWN;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    return member && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT ComObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                          VARIANT* result, EXCEPINFO* exception, UINT*) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (!parameters) {
        return E_POINTER;
    }
    // An assignment names its value; nothing else is passed by name.
    const UINT named = parameters->cNamedArgs;
    if ((flags & Assignment) ? named != 1 || parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT
                             : named != 0) {
        return DISP_E_NONAMEDARGS;
    }
    if (result) {
        VariantInit(result);
    }
    try {
        // The arguments arrive last first.
        const UINT count = parameters->cArgs;
        std::vector<Variant> arguments;
        arguments.reserve(count);
        for (UINT i = count; i > 0; --i) {
            arguments.push_back(fromVariant(parameters->rgvarg[i - 1]));
        }
        const std::vector<Variant> given = arguments;
        std::optional<Failure> failed;
        Variant answer;
        try {
            answer = call(id, flags, arguments);
        } catch (const std::exception& thrown) {
            failed = win32::failureOf(thrown, std::string(class_.frameClass.info.name));
        }
        for (UINT i = 0; i < count; ++i) {
            const VARIANT& passed = parameters->rgvarg[count - 1 - i];
            if ((V_VT(&passed) & VT_BYREF) && !(arguments[i] == given[i])) {
                writeBack(arguments[i], passed);
            }
        }
        if (failed) {
            throw *failed;
        }
        if (result) {
            toVariant(answer, *result);
        }
        return S_OK;
    } catch (const std::exception& thrown) {
        return win32::reportFailure(
            win32::failureOf(thrown, std::string(class_.frameClass.info.name)), "Casebench",
            class_.interfaceId, exception);
    }
}

Variant ComObject::call(DISPID id, WORD flags, std::vector<Variant>& arguments) {
    const ClassInfo& info = class_.frameClass.info;
    const Member* member = info.member(id);
    const bool assigning = (flags & Assignment) != 0;
    // A method takes no assignment, and a property is read without arguments.
    if (member &&
        (member->kind == MemberKind::Method ? assigning : !assigning && !arguments.empty())) {
        throw Failure(failure::WrongArgumentCount, std::string(info.name));
    }
    return object_->invoke(id, arguments);
}

HRESULT ComObject::GetClassInfo(ITypeInfo** info) {
    if (!info) {
        return E_POINTER;
    }
    *info = nullptr;
    return typeInfoOf(class_.classId, info);
}

HRESULT ComObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, class_.interfaceId) ? S_OK : S_FALSE;
}

HRESULT ComObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (!points) {
        return E_POINTER;
    }
    *points = events_.enumerate();
    return S_OK;
}

HRESULT ComObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) {
        return E_POINTER;
    }
    if (!IsEqualIID(iid, class_.eventInterfaceId)) {
        *point = nullptr;
        return CONNECT_E_NOCONNECTION;
    }
    events_.AddRef();
    *point = &events_;
    return S_OK;
}

HRESULT ComObject::typeInfoOf(REFGUID guid, ITypeInfo** info) {
    ITypeLib* library = typeLibrary();
    return library ? library->GetTypeInfoOfGuid(guid, info) : TYPE_E_CANTLOADLIBRARY;
}

IDispatch* newComObject(std::shared_ptr<AutomationObject> object) {
    const ComClass& comClass = comClassOf(object->classInfo());
    return new ComObject(comClass, std::move(object));
}

} // namespace lexi::com
