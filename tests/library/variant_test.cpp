// The conversions of the automation values, as the runtime makes them: to
// whole numbers rounded half to even, overflow and type mismatch, texts with
// the Danish decimal comma, dates in the Danish short form.

#include "library/variant.h"
#include "platform/failure.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

// The value converted, as text; "!" and the number of the failure.
std::string converted(const Variant& value, VarType type) {
    try {
        return value.as(type).toText();
    } catch (const Failure& failure) {
        return "!" + std::to_string(failure.number());
    }
}

TEST(VariantTest, ConvertsAsTheRuntimeDoes) {
    constexpr VarType Integer = VarType::Integer, Long = VarType::Long, Double = VarType::Double,
                      Text = VarType::Text, Boolean = VarType::Boolean, Date = VarType::Date;
    const std::tuple<Variant, VarType, const char*> cases[] = {
        // Half to even; past the type's range an overflow (6).
        {Variant::real(2.5), Integer, "2"},
        {Variant::real(3.5), Integer, "4"},
        {Variant::real(-2.5), Integer, "-2"},
        {"32767,49", Integer, "32767"},
        {"32767,5", Integer, "!6"},
        {Variant::real(-32768.5), Integer, "-32768"},
        {Variant::real(-32769), Integer, "!6"},
        {" -3 ", Long, "-3"},
        {"2147483648", Long, "!6"},
        // Texts: a decimal comma or point in; a comma out.
        {"1,5", Double, "1,5"},
        {"1.25", Double, "1,25"},
        {Variant::real(1e20), Text, "1e+20"},
        {"12 kr", Integer, "!13"},
        {"", Integer, "!13"},
        {Variant(), Integer, "0"},
        {Variant::null(), Integer, "!94"},
        {Variant::object(nullptr), Text, "!13"},
        // Booleans: true is -1; a word or any number.
        {Variant::boolean(true), Integer, "-1"},
        {" TRUE ", Boolean, "True"},
        {"0", Boolean, "False"},
        {Variant::integer(2), Boolean, "True"},
        {"ja", Boolean, "!13"},
        // Dates: the short form, the time left out at midnight.
        {Variant::date(45000), Text, "15-03-2023"},
        {Variant::date(45000.75), Text, "15-03-2023 18:00:00"},
        {"5-3-2023 9:05", Date, "05-03-2023 09:05:00"},
        {"29-02-2023", Date, "!13"},
        {Variant::real(45000.5), Date, "15-03-2023 12:00:00"},
    };
    for (const auto& [value, type, expected] : cases) {
        EXPECT_EQ(converted(value, type), expected)
            << value.toText() << " as " << static_cast<int>(type);
    }
}

} // namespace
} // namespace lexi
