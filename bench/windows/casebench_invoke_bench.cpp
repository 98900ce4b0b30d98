// One member call through casebench.ocx's IDispatch, in process:
// Filfunc.OCXVersion by dispatch identifier, and by name (the name looked up,
// then the call), as a host that binds late calls it. The library is loaded
// from its file, without registration. Prints nanoseconds per call.
//   scripts/wine-run build-win64/bench/windows/casebench_invoke_bench.exe

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <objbase.h>
#include <oleauto.h>

namespace {

constexpr DISPID OCXVersion = 0x60030003;
constexpr int Calls = 200000;

IDispatch* filfunc() {
    const HMODULE library = LoadLibraryW(L"Z:" CASEBENCH_OCX);
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
    CLSID filfuncClass{};
    CLSIDFromString(L"{1D790C95-48AF-43E3-AC0C-76410F740261}", &filfuncClass);
    IClassFactory* factory = nullptr;
    IDispatch* object = nullptr;
    if (!getClassObject ||
        FAILED(
            getClassObject(filfuncClass, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
        FAILED(
            factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)))) {
        std::fprintf(stderr, "casebench.ocx cannot be loaded from %s\n", CASEBENCH_OCX);
        std::exit(1);
    }
    factory->Release();
    return object;
}

template <typename Call> void time(const char* what, Call call) {
    call(); // the first call builds the library
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Calls; ++i) {
        call();
    }
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    std::printf("%-14s %8.0f ns per call\n", what, spent.count() / Calls);
}

} // namespace

int main() {
    CoInitialize(nullptr);
    IDispatch* object = filfunc();
    DISPPARAMS none{};
    VARIANT result;
    time("by identifier", [&] {
        object->Invoke(OCXVersion, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
        VariantClear(&result);
    });
    wchar_t nameText[] = L"ocxversion";
    LPOLESTR name = nameText;
    time("by name", [&] {
        DISPID id = 0;
        object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
        object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
        VariantClear(&result);
    });
    object->Release();
    CoUninitialize();
}
