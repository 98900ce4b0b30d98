#include "apps/casebench/com_variant.h"

#include "apps/casebench/com_object.h"
#include "platform/failure.h"

#include <windows.h>

namespace lexi::com {
namespace {

[[noreturn]] void mismatch() {
    throw Failure(failure::TypeMismatch, "Casebench");
}

// A number the frame has no type of its own for, as a Double.
Variant realOf(const VARIANT& value) {
    try {
        return Variant::real(win32::AutomationValue::copyOf(value).real());
    } catch (const Failure&) {
        throw Failure(failure::Overflow, "Casebench");
    }
}

} // namespace

Variant fromVariant(const VARIANT& value) {
    if (V_VT(&value) == (VT_BYREF | VT_VARIANT)) {
        return fromVariant(*V_VARIANTREF(&value));
    }
    const win32::AutomationValue plain = win32::AutomationValue::copyOf(value);
    const VARIANT& v = plain.variant();
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
        return fromBstr(V_BSTR(&v));
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
    win32::AutomationValue given;
    toVariant(value, given.variant());
    win32::storeThrough(byReference, given.variant());
}

} // namespace lexi::com
