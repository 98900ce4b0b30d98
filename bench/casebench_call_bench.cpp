// One member call through libcasebench.so's C interface: Filfunc.OCXVersion
// by dispatch identifier, and by name (the name looked up, then the call),
// as a host that binds late calls it. The library is loaded as a host loads
// it.

#include "apps/casebench/casebench.h"
#include "platform/posix/loading/loaded_library.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

struct Library {
    Library() {
        static const std::string home =
            (std::filesystem::temp_directory_path() / "casebench-bench").string();
        std::filesystem::create_directories(home);
        ::setenv("LEXITRAY_HOME", home.c_str(), 1);
        ::setenv("LEXITRAY_UI", "script", 1);
        const lexi::posix::LoadedLibrary library(CASEBENCH_LIBRARY);
        if (!library.bind(create, "cb_create") || !library.bind(memberId, "cb_member_id") ||
            !library.bind(invoke, "cb_invoke") || !library.bind(clear, "cb_variant_clear")) {
            std::abort();
        }
        create("Casebench.Filfunc", &filfunc, nullptr);
    }
    decltype(&cb_create) create;
    decltype(&cb_member_id) memberId;
    decltype(&cb_invoke) invoke;
    decltype(&cb_variant_clear) clear;
    cb_object* filfunc = nullptr;
};

Library& library() {
    static Library loaded;
    return loaded;
}

void byIdentifier(benchmark::State& state) {
    Library& lib = library();
    cb_variant result{};
    for (auto _ : state) {
        lib.invoke(lib.filfunc, 0x60030003, nullptr, 0, &result, nullptr);
        benchmark::DoNotOptimize(result.value.text);
    }
    lib.clear(&result);
}
BENCHMARK(byIdentifier);

void byName(benchmark::State& state) {
    Library& lib = library();
    cb_variant result{};
    for (auto _ : state) {
        int32_t id = 0;
        lib.memberId(lib.filfunc, "ocxversion", &id, nullptr);
        lib.invoke(lib.filfunc, id, nullptr, 0, &result, nullptr);
        benchmark::DoNotOptimize(result.value.text);
    }
    lib.clear(&result);
}
BENCHMARK(byName);

} // namespace

BENCHMARK_MAIN();
