#pragma once

#include "platform/clock.h"

#include <oaidl.h>
#include <string>
#include <string_view>

namespace lexi::win32 {

class DispatchObject;

// Texts between the program (UTF-8) and automation strings (UTF-16).
std::string fromBstr(BSTR text);
// A new automation string, which the receiver frees. Failure 7 when there is
// no memory for it.
BSTR newBstr(std::string_view text);

// One automation value (a VARIANT) that frees what it holds when it goes.
// The readers convert as automation does and throw Failure 13 for a value
// that does not convert, 94 for Null where the program's type has no Null.
class AutomationValue {
public:
    // Empty.
    AutomationValue();
    AutomationValue(std::string_view text);
    AutomationValue(const char* text) : AutomationValue(std::string_view(text)) {}
    AutomationValue(const std::string& text) : AutomationValue(std::string_view(text)) {}
    // A Long.
    AutomationValue(int number);
    // True is -1, as automation keeps it.
    AutomationValue(bool flag);
    AutomationValue(double number);
    AutomationValue(const LocalDateTime& date);
    // The object, with a reference of its own.
    AutomationValue(const DispatchObject& object);
    ~AutomationValue();
    AutomationValue(AutomationValue&& other) noexcept;
    AutomationValue& operator=(AutomationValue&& other) noexcept;
    AutomationValue(const AutomationValue&) = delete;
    AutomationValue& operator=(const AutomationValue&) = delete;

    // An Integer (16 bits).
    static AutomationValue integer(short number);
    static AutomationValue null();
    // An optional argument left out.
    static AutomationValue missing();
    // A copy of any VARIANT; one passed by reference is read through.
    static AutomationValue copyOf(const VARIANT& value);

    bool isEmpty() const;
    bool isNull() const;

    // Empty reads as "", 0, false and the zero date, as in automation.
    std::string text() const;
    int number() const;
    bool boolean() const;
    double real() const;
    LocalDateTime date() const;
    // Empty and Nothing read as no object.
    DispatchObject object() const;

    VARIANT& variant() { return value_; }
    const VARIANT& variant() const { return value_; }

private:
    VARIANT value_;
};

// Stores a value in the variable that a by-reference argument points at,
// converted to the variable's type. Failure 13 when it does not convert.
void storeThrough(const VARIANT& byReference, const VARIANT& value);

} // namespace lexi::win32
