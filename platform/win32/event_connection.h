#pragma once

#include "platform/win32/automation.h"

#include <functional>
#include <oaidl.h>
#include <ocidl.h>

namespace lexi::win32 {

// A listener to an automation object's events, connected through the
// object's connection point for as long as it lives. Events reach the
// handler on the thread that runs the object's calls.
class EventConnection {
public:
    // The event's number and its arguments, last first as automation passes
    // them; by-reference arguments the handler stores into go back to the
    // server.
    using Handler = std::function<void(DISPID event, DISPPARAMS& arguments)>;

    // Failure 438 when the object raises no such events.
    EventConnection(const DispatchObject& source, const IID& events, Handler handler);
    ~EventConnection();
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;

private:
    class Listener;

    IConnectionPoint* point_ = nullptr;
    Listener* listener_ = nullptr;
    DWORD cookie_ = 0;
};

} // namespace lexi::win32
