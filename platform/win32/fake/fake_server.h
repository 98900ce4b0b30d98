#pragma once

#include "platform/win32/fake/fake_dispatch.h"

// A double as an in-process automation server of its own, registered in a
// Wine prefix under the programmatic name of the application it stands in
// for, for whole runs of a program. The DLL serves one class; each server
// file defines how its application object is made.
namespace lexi::fakecom {

// A new application object of the DLL's one class, over the state the
// process shares, as one application serves a workstation.
AutomationValue newServedApplication();

} // namespace lexi::fakecom
