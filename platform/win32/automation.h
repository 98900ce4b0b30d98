#pragma once

#include "platform/failure.h"
#include "platform/win32/automation_value.h"

#include <array>
#include <map>
#include <memory>
#include <oaidl.h>
#include <span>
#include <string>
#include <string_view>

// A client of automation servers (Outlook, Word) through IDispatch: members
// called by name, arguments and results as automation values, failures as
// the program's Failure with the number and description the server gave.
namespace lexi::win32 {

// COM on the calling thread, entered at the first call and kept until the
// thread ends; every later call does nothing. The program calls automation
// from its one thread.
void enterAutomation();

// The Failure an automation call that answered `result` stands for, with the
// server's exception information when it gave some: a number in the
// control range (0x800A0000 + n) is n, a server's own code stays the
// negative number the runtime shows, and a member the object lacks is 438.
Failure automationFailure(HRESULT result, const EXCEPINFO* exception, std::string_view member);

// A shared reference to an automation object, released when the last copy
// goes. The numbers of the names used are asked for once per object and kept.
class DispatchObject {
public:
    DispatchObject() = default;
    // Takes over one reference the caller holds.
    explicit DispatchObject(IDispatch* adopted);
    ~DispatchObject();
    DispatchObject(const DispatchObject& other);
    DispatchObject& operator=(DispatchObject other) noexcept;

    // A new instance of the class with that programmatic name. Failure 429
    // when it cannot be created.
    static DispatchObject create(std::string_view programmaticName);
    // The instance the system has registered as running; none when there is
    // none.
    static DispatchObject running(std::string_view programmaticName);

    explicit operator bool() const { return object_ != nullptr; }
    IDispatch* get() const { return object_; }

    // A property's value; also a method that gives a result.
    template <typename... Args> AutomationValue get(std::string_view name, Args&&... args) const {
        std::array<AutomationValue, sizeof...(Args)> values{
            AutomationValue(std::forward<Args>(args))...};
        return invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, values);
    }
    // A property's value as an object; Failure 91 when it is Nothing.
    template <typename... Args> DispatchObject object(std::string_view name, Args&&... args) const {
        return required(get(name, std::forward<Args>(args)...).object(), name);
    }
    template <typename... Args> AutomationValue call(std::string_view name, Args&&... args) const {
        std::array<AutomationValue, sizeof...(Args)> values{
            AutomationValue(std::forward<Args>(args))...};
        return invoke(name, DISPATCH_METHOD, values);
    }
    void put(std::string_view name, AutomationValue value) const;

    // The object's number for a member name. Failure 438 when it has none.
    DISPID idOf(std::string_view name) const;
    // Calls a member; the arguments in the order the member lists them.
    // A put passes its one argument as the property's new value.
    AutomationValue invoke(std::string_view name, WORD kind,
                           std::span<AutomationValue> arguments) const;

private:
    static DispatchObject required(DispatchObject object, std::string_view name);

    IDispatch* object_ = nullptr;
    std::shared_ptr<std::map<std::string, DISPID, std::less<>>> ids_;
};

} // namespace lexi::win32
