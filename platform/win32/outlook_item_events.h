#pragma once

#include <guiddef.h>
#include <oaidl.h>

// The event interface of Outlook's items, as the server and its listeners
// know it: its identifier and the numbers of the events the program handles.
namespace lexi::win32::outlook_events {

// {0006303A-0000-0000-C000-000000000046}
inline constexpr IID ItemEvents = {
    0x0006303A, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Each takes a Boolean by reference: set, it cancels what the user did.
inline constexpr DISPID Close = 0xF004;
inline constexpr DISPID Send = 0xF005;

} // namespace lexi::win32::outlook_events
