#include "library/automation_object.h"

#include "platform/failure.h"
#include "platform/text.h"

namespace lexi {
namespace {

constexpr int ObjectDoesNotSupportThisAction = 445;

} // namespace

std::string ClassInfo::programmaticName() const {
    return "Casebench." + std::string(name);
}

const Member* ClassInfo::member(std::string_view memberName) const {
    for (const Member& candidate : members) {
        if (text::equalsIgnoreCase(candidate.name, memberName)) {
            return &candidate;
        }
    }
    return nullptr;
}

const Member* ClassInfo::member(std::int32_t dispatchId) const {
    for (const Member& candidate : members) {
        if (candidate.dispatchId == dispatchId) {
            return &candidate;
        }
    }
    return nullptr;
}

Variant AutomationObject::invoke(std::int32_t dispatchId, std::vector<Variant>& arguments) {
    const ClassInfo& info = classInfo();
    const Member* member = info.member(dispatchId);
    if (!member) {
        throw Failure(failure::UnsupportedMember, std::string(info.name));
    }
    if (!member->call) {
        throw Failure(ObjectDoesNotSupportThisAction,
                      std::string(info.name) + "." + std::string(member->name) +
                          " is not available in this version of Casebench",
                      std::string(info.name));
    }
    if (member->kind == MemberKind::Property) {
        if (arguments.size() > 1) {
            throw Failure(failure::WrongArgumentCount, std::string(info.name));
        }
        std::vector<Variant> converted;
        for (const Variant& value : arguments) {
            converted.push_back(value.as(member->result));
        }
        Arguments view(converted);
        return member->call(*this, view);
    }
    const std::vector<Parameter>& parameters = member->parameters;
    std::size_t required = 0;
    for (const Parameter& parameter : parameters) {
        required += parameter.optional ? 0 : 1;
    }
    if (arguments.size() < required || arguments.size() > parameters.size()) {
        throw Failure(failure::WrongArgumentCount, std::string(info.name));
    }
    std::vector<Variant> converted;
    converted.reserve(parameters.size());
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const bool present = i < arguments.size() && !arguments[i].isMissing();
        if (!present && !parameters[i].optional) {
            throw Failure(failure::WrongArgumentCount, std::string(info.name));
        }
        converted.push_back(present ? arguments[i].as(parameters[i].type) : Variant::missing());
    }
    Arguments view(converted);
    // The caller's variables take what the member left in them, also when it
    // fails halfway: a by-reference argument is changed in place.
    struct WriteBack {
        std::vector<Variant>& from;
        std::vector<Variant>& to;
        ~WriteBack() {
            for (std::size_t i = 0; i < to.size(); ++i) {
                if (!to[i].isMissing()) {
                    to[i] = std::move(from[i]);
                }
            }
        }
    } writeBack{converted, arguments};
    return member->call(*this, view);
}

} // namespace lexi
