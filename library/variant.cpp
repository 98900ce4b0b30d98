#include "library/variant.h"

#include "platform/clock.h"
#include "platform/clock.h"
#include "platform/danish_format.h"
#include "platform/failure.h"
#include "platform/text.h"

#include <cmath>
#include <limits>

namespace lexi {
namespace {

constexpr const char* Source = "Casebench";

[[noreturn]] void fail(int number) {
    throw Failure(number, Source);
}

// Rounds half to even, as the runtime's integer conversions do.
std::int64_t roundedWithin(double value, double low, double high) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= low && rounded <= high)) {
        fail(failure::Overflow);
    }
    return static_cast<std::int64_t>(rounded);
}

} // namespace

Variant Variant::missing() {
    Variant v;
    v.type_ = VarType::Missing;
    return v;
}

Variant Variant::null() {
    Variant v;
    v.type_ = VarType::Null;
    return v;
}

Variant Variant::integer(std::int16_t value) {
    Variant v;
    v.type_ = VarType::Integer;
    v.number_ = value;
    return v;
}

Variant Variant::longValue(std::int32_t value) {
    Variant v;
    v.type_ = VarType::Long;
    v.number_ = value;
    return v;
}

Variant Variant::real(double value) {
    Variant v;
    v.type_ = VarType::Double;
    v.real_ = value;
    return v;
}

Variant Variant::date(double value) {
    Variant v;
    v.type_ = VarType::Date;
    v.real_ = value;
    return v;
}

Variant Variant::boolean(bool value) {
    Variant v;
    v.type_ = VarType::Boolean;
    v.number_ = value ? -1 : 0;
    return v;
}

Variant Variant::object(std::shared_ptr<AutomationObject> value) {
    Variant v;
    v.type_ = VarType::Object;
    v.object_ = std::move(value);
    return v;
}

Variant::Variant(std::string text) : type_(VarType::Text), text_(std::move(text)) {}

double Variant::numeric() const {
    switch (type_) {
    case VarType::Empty:
        return 0;
    case VarType::Null:
        fail(failure::InvalidUseOfNull);
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean:
        return static_cast<double>(number_);
    case VarType::Double:
    case VarType::Date:
        return real_;
    case VarType::Text:
        if (const auto value = danish::parseNumber(text_)) {
            return *value;
        }
        fail(failure::TypeMismatch);
    default:
        fail(failure::TypeMismatch);
    }
}

std::string Variant::toText() const {
    switch (type_) {
    case VarType::Empty:
        return {};
    case VarType::Text:
        return text_;
    case VarType::Integer:
    case VarType::Long:
        return std::to_string(number_);
    case VarType::Boolean:
        return number_ ? "True" : "False";
    case VarType::Double:
        return danish::number(real_);
    case VarType::Date:
        return danish::generalDate(localDateOf(real_));
    default:
        static_cast<void>(numeric()); // Null: invalid use; the others: mismatch
        fail(failure::TypeMismatch);
    }
}

std::int16_t Variant::toInteger() const {
    return static_cast<std::int16_t>(roundedWithin(numeric(), -32768, 32767));
}

bool Variant::toBoolean() const {
    if (type_ == VarType::Text) {
        const std::string word = text::toLower(text::trimSpaces(text_));
        if (word == "true" || word == "false") {
            return word == "true";
        }
    }
    return numeric() != 0;
}

double Variant::toDate() const {
    if (type_ == VarType::Text) {
        // A date as the workstation writes it; any other text is none.
        const auto date = danish::parseDate(text_);
        if (!date) {
            fail(failure::TypeMismatch);
        }
        return automationDateOf(*date);
    }
    return numeric();
}

std::shared_ptr<AutomationObject> Variant::toObject() const {
    if (type_ == VarType::Object) {
        return object_;
    }
    if (type_ == VarType::Empty) {
        return nullptr;
    }
    fail(failure::TypeMismatch);
}

Variant Variant::as(VarType declared) const {
    switch (declared) {
    case VarType::Text:
        return toText();
    case VarType::Integer:
        return integer(toInteger());
    case VarType::Long:
        return longValue(static_cast<std::int32_t>(
            roundedWithin(numeric(), std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::max())));
    case VarType::Double:
        return real(numeric());
    case VarType::Boolean:
        return boolean(toBoolean());
    case VarType::Date:
        return date(toDate());
    case VarType::Object:
        return object(toObject());
    default:
        return *this;
    }
}

} // namespace lexi
