#pragma once

#include "library/variant.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexi {

class AutomationObject;
class Arguments;

enum class MemberKind { Method, Property };

// One parameter as the host sees it. Every parameter is passed by reference.
struct Parameter {
    std::string_view name;
    VarType type;
    bool optional = false;
};

// One member of a class's dispatch interface. A property is read with no
// argument and assigned with one. A member without `call` is listed but not
// available: calling it fails with 445 and says so.
struct Member {
    std::string_view name;
    std::int32_t dispatchId;
    MemberKind kind;
    std::vector<Parameter> parameters;
    VarType result;
    Variant (*call)(AutomationObject& self, Arguments& arguments);
};

// A class of the library: its name, its identities (fixed, the same in every
// build) and its members in interface order.
struct ClassInfo {
    std::string_view name; // "Filfunc"
    std::string_view classId;
    std::string_view interfaceId;      // the default interface "_Filfunc"
    std::string_view eventInterfaceId; // "__Filfunc", which declares no events
    std::vector<Member> members;

    // "Casebench.Filfunc".
    std::string programmaticName() const;
    // The member of that name in any letter case, as automation looks names
    // up; null when there is none.
    const Member* member(std::string_view memberName) const;
    const Member* member(std::int32_t dispatchId) const;
};

// The arguments of one call, converted to the member's declared types. What
// a member sets here goes back to the caller's variables.
class Arguments {
public:
    explicit Arguments(std::vector<Variant>& values) : values_(values) {}

    std::size_t count() const { return values_.size(); }
    bool given(std::size_t index) const { return !values_[index].isMissing(); }
    std::string text(std::size_t index) const { return values_[index].text(); }
    std::int16_t integer(std::size_t index) const {
        return static_cast<std::int16_t>(values_[index].number());
    }
    bool boolean(std::size_t index) const { return values_[index].number() != 0; }
    const Variant& value(std::size_t index) const { return values_[index]; }

    void setText(std::size_t index, std::string text) { values_[index] = std::move(text); }
    void setInteger(std::size_t index, std::int16_t value) {
        values_[index] = Variant::integer(value);
    }

private:
    std::vector<Variant>& values_;
};

// An object of one of the library's classes, as the host holds it.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    virtual const ClassInfo& classInfo() const = 0;

    // Calls a member with the caller's variables, in order. They are
    // converted to the declared types first (a value that does not convert
    // fails and leaves them as they were), and afterwards hold what the
    // member left in them. Failures: 438 for an identifier the class lacks,
    // 450 for a wrong number of arguments, and whatever the member lets pass.
    Variant invoke(std::int32_t dispatchId, std::vector<Variant>& arguments);
};

} // namespace lexi
