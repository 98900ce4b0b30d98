#include "apps/casebench/com_variant.h"

#include "apps/casebench/com_object.h"
#include "platform/failure.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

namespace lexi::com {
namespace {

[[noreturn]] void mismatch() {
    throw Failure(failure::TypeMismatch, "Casebench");
}

// Clears a variant when it goes out of scope.
struct Cleared {
    VARIANT value;
    Cleared() { VariantInit(&value); }
    ~Cleared() { VariantClear(&value); }
    Cleared(const Cleared&) = delete;
    Cleared& operator=(const Cleared&) = delete;
};

// A number the frame has no type of its own for, as a Double.
Variant realOf(const VARIANT& value) {
    Cleared real;
    // The conversion reads `value` only; mingw declares it without const.
    if (FAILED(VariantChangeType(&real.value, const_cast<VARIANT*>(&value), 0, VT_R8))) {
        throw Failure(failure::Overflow, "Casebench");
    }
    return Variant::real(V_R8(&real.value));
}

} // namespace

std::string narrow(const OLECHAR* text, std::size_t length) {
    return win32::fromWide(std::wstring_view(text, length));
}

std::string narrow(BSTR text) {
    return text ? narrow(text, SysStringLen(text)) : std::string();
}

BSTR newBstr(std::string_view text) {
    const std::wstring wide = win32::toWide(text);
    BSTR result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!result) {
        throw Failure(failure::OutOfMemory, "Casebench");
    }
    return result;
}

Variant fromVariant(const VARIANT& value) {
    if (V_VT(&value) == (VT_BYREF | VT_VARIANT)) {
        return fromVariant(*V_VARIANTREF(&value));
    }
    Cleared plain;
    if (FAILED(VariantCopyInd(&plain.value, const_cast<VARIANT*>(&value)))) {
        mismatch();
    }
    const VARIANT& v = plain.value;
    switch (V_VT(&v)) {
    case VT_EMPTY:
        return {};
    case VT_NULL:
        return Variant::null();
    case VT_I2:
        return Variant::integer(V_I2(&v));
    case VT_UI1:
        return Variant::integer(V_UI1(&v));
    case VT_I1:
        return Variant::integer(V_I1(&v));
    case VT_I4:
        return Variant::longValue(V_I4(&v));
    case VT_INT:
        return Variant::longValue(V_INT(&v));
    case VT_UI2:
        return Variant::longValue(V_UI2(&v));
    case VT_BOOL:
        return Variant::boolean(V_BOOL(&v) != VARIANT_FALSE);
    case VT_R8:
        return Variant::real(V_R8(&v));
    case VT_R4:
    case VT_CY:
    case VT_DECIMAL:
    case VT_UI4:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
        return realOf(v);
    case VT_DATE:
        return Variant::date(V_DATE(&v));
    case VT_BSTR:
        return narrow(V_BSTR(&v));
    case VT_ERROR:
        if (V_ERROR(&v) == DISP_E_PARAMNOTFOUND) {
            return Variant::missing();
        }
        mismatch();
    case VT_DISPATCH:
    case VT_UNKNOWN:
        // Only the empty object: the frame's values hold the library's own
        // objects, and none of another server (Kalender's olApp and fso will,
        // once the library drives Outlook on Windows).
        if (!V_UNKNOWN(&v)) {
            return Variant::object(nullptr);
        }
        mismatch();
    default:
        mismatch();
    }
}

void toVariant(const Variant& value, VARIANT& out) {
    VariantInit(&out);
    switch (value.type()) {
    case VarType::Null:
        V_VT(&out) = VT_NULL;
        break;
    case VarType::Integer:
        V_VT(&out) = VT_I2;
        V_I2(&out) = static_cast<SHORT>(value.number());
        break;
    case VarType::Long:
        V_VT(&out) = VT_I4;
        V_I4(&out) = value.number();
        break;
    case VarType::Double:
        V_VT(&out) = VT_R8;
        V_R8(&out) = value.real();
        break;
    case VarType::Date:
        V_VT(&out) = VT_DATE;
        V_DATE(&out) = value.real();
        break;
    case VarType::Text:
        V_BSTR(&out) = newBstr(value.text());
        V_VT(&out) = VT_BSTR;
        break;
    case VarType::Boolean:
        V_VT(&out) = VT_BOOL;
        V_BOOL(&out) = value.number() ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VarType::Object:
        V_DISPATCH(&out) = value.toObject() ? newComObject(value.toObject()) : nullptr;
        V_VT(&out) = VT_DISPATCH;
        break;
    case VarType::Missing:
        V_VT(&out) = VT_ERROR;
        V_ERROR(&out) = DISP_E_PARAMNOTFOUND;
        break;
    default:
        break;
    }
}

void writeBack(const Variant& value, const VARIANT& byReference) {
    if (V_VT(&byReference) == (VT_BYREF | VT_VARIANT)) {
        VARIANT& variable = *V_VARIANTREF(&byReference);
        VariantClear(&variable);
        toVariant(value, variable);
        return;
    }
    Cleared given;
    toVariant(value, given.value);
    Cleared typed;
    const VARTYPE type = V_VT(&byReference) & ~VT_BYREF;
    if (FAILED(VariantChangeType(&typed.value, &given.value, 0, type))) {
        mismatch();
    }
    switch (type) {
    case VT_BSTR:
        SysFreeString(*V_BSTRREF(&byReference));
        *V_BSTRREF(&byReference) = V_BSTR(&typed.value);
        V_VT(&typed.value) = VT_EMPTY; // the variable owns the text now
        break;
    case VT_I2:
        *V_I2REF(&byReference) = V_I2(&typed.value);
        break;
    case VT_I4:
        *V_I4REF(&byReference) = V_I4(&typed.value);
        break;
    case VT_BOOL:
        *V_BOOLREF(&byReference) = V_BOOL(&typed.value);
        break;
    case VT_R8:
        *V_R8REF(&byReference) = V_R8(&typed.value);
        break;
    case VT_DATE:
        *V_DATEREF(&byReference) = V_DATE(&typed.value);
        break;
    default:
        // The frame's members change texts, Integers and Booleans only; a
        // variable of another type keeps its value.
        break;
    }
}

} // namespace lexi::com
