#include "platform/win32/automation_value.h"

#include "platform/failure.h"
#include "platform/win32/automation.h"
#include "platform/win32/wide_text.h"

#include <utility>

namespace lexi::win32 {
namespace {

[[noreturn]] void mismatch() {
    throw Failure(failure::TypeMismatch);
}

// The value converted to `type` as automation converts, for example a text
// "12" to a number and a Boolean to -1 or 0.
AutomationValue converted(const VARIANT& value, VARTYPE type) {
    if (V_VT(&value) == VT_NULL) {
        throw Failure(failure::InvalidUseOfNull);
    }
    AutomationValue result;
    // The conversion reads `value` only; mingw declares it without const.
    const HRESULT status =
        VariantChangeType(&result.variant(), const_cast<VARIANT*>(&value), 0, type);
    if (status == DISP_E_OVERFLOW) {
        throw Failure(failure::Overflow);
    }
    if (FAILED(status)) {
        mismatch();
    }
    return result;
}

} // namespace

std::string fromBstr(BSTR text) {
    return text ? fromWide(std::wstring_view(text, SysStringLen(text))) : std::string();
}

BSTR newBstr(std::string_view text) {
    const std::wstring wide = toWide(text);
    BSTR result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!result) {
        throw Failure(failure::OutOfMemory);
    }
    return result;
}

AutomationValue::AutomationValue() {
    VariantInit(&value_);
}

AutomationValue::AutomationValue(std::string_view text) : AutomationValue() {
    V_BSTR(&value_) = newBstr(text);
    V_VT(&value_) = VT_BSTR;
}

AutomationValue::AutomationValue(int number) : AutomationValue() {
    V_VT(&value_) = VT_I4;
    V_I4(&value_) = number;
}

AutomationValue::AutomationValue(bool flag) : AutomationValue() {
    V_VT(&value_) = VT_BOOL;
    V_BOOL(&value_) = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

AutomationValue::AutomationValue(double number) : AutomationValue() {
    V_VT(&value_) = VT_R8;
    V_R8(&value_) = number;
}

AutomationValue::AutomationValue(const LocalDateTime& date) : AutomationValue() {
    V_VT(&value_) = VT_DATE;
    V_DATE(&value_) = automationDateOf(date);
}

AutomationValue::AutomationValue(const DispatchObject& object) : AutomationValue() {
    V_VT(&value_) = VT_DISPATCH;
    V_DISPATCH(&value_) = object.get();
    if (object) {
        object.get()->AddRef();
    }
}

AutomationValue::~AutomationValue() {
    VariantClear(&value_);
}

AutomationValue::AutomationValue(AutomationValue&& other) noexcept : value_(other.value_) {
    VariantInit(&other.value_);
}

AutomationValue& AutomationValue::operator=(AutomationValue&& other) noexcept {
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        VariantInit(&other.value_);
    }
    return *this;
}

AutomationValue AutomationValue::integer(short number) {
    AutomationValue result;
    V_VT(&result.value_) = VT_I2;
    V_I2(&result.value_) = number;
    return result;
}

AutomationValue AutomationValue::null() {
    AutomationValue result;
    V_VT(&result.value_) = VT_NULL;
    return result;
}

AutomationValue AutomationValue::missing() {
    AutomationValue result;
    V_VT(&result.value_) = VT_ERROR;
    V_ERROR(&result.value_) = DISP_E_PARAMNOTFOUND;
    return result;
}

AutomationValue AutomationValue::copyOf(const VARIANT& value) {
    AutomationValue result;
    if (FAILED(VariantCopyInd(&result.value_, const_cast<VARIANT*>(&value)))) {
        mismatch();
    }
    return result;
}

bool AutomationValue::isEmpty() const {
    return V_VT(&value_) == VT_EMPTY;
}

bool AutomationValue::isNull() const {
    return V_VT(&value_) == VT_NULL;
}

std::string AutomationValue::text() const {
    if (V_VT(&value_) == VT_BSTR) {
        return fromBstr(V_BSTR(&value_));
    }
    return fromBstr(V_BSTR(&converted(value_, VT_BSTR).variant()));
}

int AutomationValue::number() const {
    return V_I4(&converted(value_, VT_I4).variant());
}

bool AutomationValue::boolean() const {
    return V_BOOL(&converted(value_, VT_BOOL).variant()) != VARIANT_FALSE;
}

double AutomationValue::real() const {
    return V_R8(&converted(value_, VT_R8).variant());
}

LocalDateTime AutomationValue::date() const {
    return localDateOf(V_DATE(&converted(value_, VT_DATE).variant()));
}

DispatchObject AutomationValue::object() const {
    if (V_VT(&value_) == VT_EMPTY) {
        return {};
    }
    if (V_VT(&value_) != VT_DISPATCH && V_VT(&value_) != VT_UNKNOWN) {
        mismatch();
    }
    IDispatch* object = nullptr;
    if (V_UNKNOWN(&value_) && FAILED(V_UNKNOWN(&value_)->QueryInterface(
                                  IID_IDispatch, reinterpret_cast<void**>(&object)))) {
        mismatch();
    }
    return DispatchObject(object);
}

void storeThrough(const VARIANT& byReference, const VARIANT& value) {
    if (V_VT(&byReference) == (VT_BYREF | VT_VARIANT)) {
        VARIANT& variable = *V_VARIANTREF(&byReference);
        VariantClear(&variable);
        if (FAILED(VariantCopy(&variable, const_cast<VARIANT*>(&value)))) {
            mismatch();
        }
        return;
    }
    const VARTYPE type = V_VT(&byReference) & ~VT_BYREF;
    AutomationValue typed = converted(value, type);
    VARIANT& result = typed.variant();
    switch (type) {
    case VT_BSTR:
        SysFreeString(*V_BSTRREF(&byReference));
        *V_BSTRREF(&byReference) = V_BSTR(&result);
        V_VT(&result) = VT_EMPTY; // the variable owns the text now
        break;
    case VT_I2:
        *V_I2REF(&byReference) = V_I2(&result);
        break;
    case VT_I4:
        *V_I4REF(&byReference) = V_I4(&result);
        break;
    case VT_BOOL:
        *V_BOOLREF(&byReference) = V_BOOL(&result);
        break;
    case VT_R8:
        *V_R8REF(&byReference) = V_R8(&result);
        break;
    case VT_DATE:
        *V_DATEREF(&byReference) = V_DATE(&result);
        break;
    default:
        // Texts, numbers, Booleans and dates are all the program stores; a
        // variable of another type keeps its value.
        break;
    }
}

} // namespace lexi::win32
