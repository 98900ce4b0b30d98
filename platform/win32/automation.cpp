#include "platform/win32/automation.h"

#include "platform/win32/wide_text.h"

#include <objbase.h>
#include <utility>
#include <vector>

namespace lexi::win32 {
namespace {

// What automation's own failures are to the runtime.
int numberOf(HRESULT result) {
    switch (result) {
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME:
        return failure::UnsupportedMember;
    case DISP_E_TYPEMISMATCH:
        return failure::TypeMismatch;
    case DISP_E_OVERFLOW:
        return failure::Overflow;
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_PARAMNOTOPTIONAL:
        return failure::WrongArgumentCount;
    case E_OUTOFMEMORY:
        return failure::OutOfMemory;
    default:
        if (HRESULT_FACILITY(result) == FACILITY_CONTROL) {
            return HRESULT_CODE(result);
        }
        return static_cast<int>(result);
    }
}

CLSID classOf(std::string_view programmaticName) {
    CLSID id;
    if (FAILED(CLSIDFromProgID(toWide(programmaticName).c_str(), &id))) {
        throw Failure(failure::CannotCreateObject, std::string(programmaticName));
    }
    return id;
}

} // namespace

void enterAutomation() {
    static thread_local bool entered = false;
    if (!entered) {
        entered = true;
        // Left entered: the objects it serves may live as long as the thread,
        // and a library cannot know when its host's thread ends.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    }
}

Failure automationFailure(HRESULT result, const EXCEPINFO* exception, std::string_view member) {
    if (!exception) {
        const int number = numberOf(result);
        return number < 0 ? Failure(number, "Automation error", std::string(member))
                          : Failure(number, std::string(member));
    }
    const HRESULT code = exception->scode ? exception->scode : result;
    const int number = exception->wCode ? exception->wCode : numberOf(code);
    std::string description = fromBstr(exception->bstrDescription);
    if (description.empty()) {
        description = number < 0 ? "Automation error" : Failure::describe(number);
    }
    std::string source = fromBstr(exception->bstrSource);
    return Failure(number, std::move(description), source.empty() ? std::string(member) : source);
}

DispatchObject::DispatchObject(IDispatch* adopted)
    : object_(adopted), ids_(std::make_shared<std::map<std::string, DISPID, std::less<>>>()) {}

DispatchObject::~DispatchObject() {
    if (object_) {
        object_->Release();
    }
}

DispatchObject::DispatchObject(const DispatchObject& other)
    : object_(other.object_), ids_(other.ids_) {
    if (object_) {
        object_->AddRef();
    }
}

DispatchObject& DispatchObject::operator=(DispatchObject other) noexcept {
    std::swap(object_, other.object_);
    std::swap(ids_, other.ids_);
    return *this;
}

DispatchObject DispatchObject::create(std::string_view programmaticName) {
    enterAutomation();
    const CLSID id = classOf(programmaticName);
    IDispatch* object = nullptr;
    if (FAILED(CoCreateInstance(id, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&object)))) {
        throw Failure(failure::CannotCreateObject, std::string(programmaticName));
    }
    return DispatchObject(object);
}

DispatchObject DispatchObject::running(std::string_view programmaticName) {
    enterAutomation();
    CLSID id;
    if (FAILED(CLSIDFromProgID(toWide(programmaticName).c_str(), &id))) {
        return {};
    }
    IUnknown* found = nullptr;
    if (FAILED(GetActiveObject(id, nullptr, &found))) {
        return {};
    }
    IDispatch* object = nullptr;
    const HRESULT asked = found->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
    found->Release();
    return SUCCEEDED(asked) ? DispatchObject(object) : DispatchObject();
}

void DispatchObject::put(std::string_view name, AutomationValue value) const {
    invoke(name, DISPATCH_PROPERTYPUT, std::span(&value, 1));
}

DISPID DispatchObject::idOf(std::string_view name) const {
    if (!object_) {
        throw Failure(failure::ObjectNotSet, std::string(name));
    }
    if (const auto known = ids_->find(name); known != ids_->end()) {
        return known->second;
    }
    std::wstring wide = toWide(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT asked = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(asked)) {
        throw automationFailure(asked, nullptr, name);
    }
    ids_->emplace(std::string(name), id);
    return id;
}

AutomationValue DispatchObject::invoke(std::string_view name, WORD kind,
                                       std::span<AutomationValue> arguments) const {
    const DISPID id = idOf(name);
    // Automation takes the arguments last first.
    std::vector<VARIANTARG> reversed;
    reversed.reserve(arguments.size());
    for (auto argument = arguments.rbegin(); argument != arguments.rend(); ++argument) {
        reversed.push_back(argument->variant());
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (kind == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }
    AutomationValue result;
    EXCEPINFO exception{};
    UINT wrongArgument = 0;
    const HRESULT called = object_->Invoke(
        id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters,
        kind == DISPATCH_PROPERTYPUT ? nullptr : &result.variant(), &exception, &wrongArgument);
    if (called == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn) {
            exception.pfnDeferredFillIn(&exception);
        }
        const Failure failed = automationFailure(called, &exception, name);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        throw failed;
    }
    if (FAILED(called)) {
        throw automationFailure(called, nullptr, name);
    }
    return result;
}

DispatchObject DispatchObject::required(DispatchObject object, std::string_view name) {
    if (!object) {
        throw Failure(failure::ObjectNotSet, std::string(name));
    }
    return object;
}

} // namespace lexi::win32
