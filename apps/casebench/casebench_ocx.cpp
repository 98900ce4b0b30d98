// casebench.ocx: the library as an in-process automation server, and its
// composition root. The Windows platform and the library are built when the
// host first asks for them and live until the host unloads the library.

#include "apps/casebench/class_factory.h"
#include "apps/casebench/com_server.h"
#include "apps/casebench/com_variant.h"
#include "apps/lexitray/windows_platform.h"
#include "library/registration.h"
#include "platform/win32/server_failure.h"
#include "platform/win32/wide_text.h"

#include <exception>
#include <new>
#include <olectl.h>
#include <string>

namespace lexi::com {
namespace {

HMODULE thisModule = nullptr;

// This library's own file.
std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(thisModule, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

struct Loaded {
    WindowsPlatform machine;
    CasebenchLibrary library{machine.platform()};
};

Loaded& loaded() {
    static Loaded instance;
    return instance;
}

// Runs a registration step; a failure is the host's to report.
template <typename Step> HRESULT registering(Step step) {
    try {
        const std::wstring path = modulePath();
        step(loaded().machine.platform().registry, win32::fromWide(path));
        return S_OK;
    } catch (const std::exception& thrown) {
        return win32::reportFailure(win32::failureOf(thrown, "Casebench"), "Casebench", IID_NULL);
    }
}

} // namespace

CasebenchLibrary& casebenchLibrary() {
    return loaded().library;
}

ITypeLib* typeLibrary() {
    // Kept for the life of the process: nothing of COM may be called while
    // the library unloads.
    static ITypeLib* const library = [] {
        ITypeLib* loadedLibrary = nullptr;
        return SUCCEEDED(LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, &loadedLibrary))
                   ? loadedLibrary
                   : nullptr;
    }();
    return library;
}

} // namespace lexi::com

using namespace lexi::com;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    const ComClass* comClass = comClassOf(classId);
    if (!comClass) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    ClassFactory* factory = new (std::nothrow) ClassFactory(*comClass);
    if (!factory) {
        return E_OUTOFMEMORY;
    }
    const HRESULT answer = factory->QueryInterface(iid, out);
    factory->Release();
    return answer;
}

STDAPI DllCanUnloadNow() {
    return serverReferences == 0 ? S_OK : S_FALSE;
}

// Registers the classes, their interfaces and the type library for the
// current user, as the registration tool asks.
STDAPI DllRegisterServer() {
    return registering(&lexi::registerLibrary);
}

STDAPI DllUnregisterServer() {
    return registering(
        [](lexi::Registry& registry, const std::string&) { lexi::unregisterLibrary(registry); });
}

} // extern "C"
