#pragma once

#include <objbase.h>

namespace lexi::win32 {

// COM on the calling thread for as long as the object lives, as the shell and
// its dialogs want it, whatever the thread had before: a thread that had it
// keeps it as it was.
class ComApartment {
public:
    ComApartment()
        : initialised_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

} // namespace lexi::win32
