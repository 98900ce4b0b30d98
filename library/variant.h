#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace lexi {

class AutomationObject;

// The automation types a member's parameters and results are declared with;
// the numbers are the automation variant types.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2, // 16-bit signed
    Long = 3,    // 32-bit signed
    Double = 5,
    Date = 7, // days since 30 December 1899, the time as the fraction
    Text = 8,
    Object = 9,
    Missing = 10, // an optional argument the caller left out
    Boolean = 11, // true is -1
    Variant = 12, // declared type only: whatever the caller passes
};

// One automation value. The conversions to a declared type follow the
// runtime: a text that is no number is a type mismatch (13), a number too
// large for the type an overflow (6).
class Variant {
public:
    Variant() = default;
    static Variant missing();
    static Variant null();
    static Variant integer(std::int16_t value);
    static Variant longValue(std::int32_t value);
    static Variant real(double value);
    static Variant date(double value);
    static Variant boolean(bool value);
    static Variant object(std::shared_ptr<AutomationObject> value);
    Variant(std::string text); // NOLINT: a text is the everyday value
    Variant(const char* text) : Variant(std::string(text)) {}

    VarType type() const { return type_; }
    bool isMissing() const { return type_ == VarType::Missing; }

    // The value as the type; the value itself when it already is one.
    std::string toText() const;
    std::int16_t toInteger() const;
    bool toBoolean() const;
    double toDate() const;
    std::shared_ptr<AutomationObject> toObject() const;
    // The value converted to a declared type (Variant: unchanged).
    Variant as(VarType declared) const;

    // The stored number of Integer, Long, Boolean (0 or -1); the text of Text.
    std::int32_t number() const { return static_cast<std::int32_t>(number_); }
    double real() const { return real_; }
    const std::string& text() const { return text_; }

    bool operator==(const Variant&) const = default;

private:
    // A number of the value, for the numeric conversions.
    double numeric() const;

    VarType type_ = VarType::Empty;
    std::int64_t number_ = 0;
    double real_ = 0;
    std::string text_;
    std::shared_ptr<AutomationObject> object_;
};

} // namespace lexi
