// What the registration tool writes for the library in the user's registry,
// and that unregistering takes all of it away again.

#include "library/casebench_library.h"
#include "library/registration.h"
#include "platform/failure.h"
#include "platform/fake/memory_registry.h"
#include "tests/support/failure_number.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

const std::string Classes = "Software\\Classes\\";
const std::string Library = "C:\\Programmer\\Casebench\\casebench.ocx";

// A value below Software\Classes; "-" when the key or value is missing.
std::string value(Registry& registry, const std::string& key, std::string_view name = "") {
    RegistryValue read;
    std::size_t size = 0;
    if (registry.queryValue(RegistryRoot::CurrentUser, Classes + key, name, 1024, read, size) !=
        RegistryStatus::Ok) {
        return "-";
    }
    return read.data.substr(0, read.data.find('\0'));
}

TEST(RegistrationTest, RegistersEveryClassWithItsInterfacesAndTheTypeLibrary) {
    fake::MemoryRegistry registry;
    registerLibrary(registry, Library);
    const std::string libraryId(CasebenchLibrary::TypeLibraryId);
    // COM looks the type library's version up in hexadecimal: 78.2 is "4e.2".
    const std::string typeLibrary = "TypeLib\\" + libraryId + "\\4e.2";
    for (const LibraryClass& entry : CasebenchLibrary::classes()) {
        const ClassInfo& info = entry.info;
        const std::string name(info.name), progId = "Casebench." + name;
        const std::string clsid = "CLSID\\" + std::string(info.classId);
        const std::string interface = "Interface\\" + std::string(info.interfaceId);
        const std::string events = "Interface\\" + std::string(info.eventInterfaceId);
        const std::tuple<std::string, std::string, std::string> values[] = {
            {progId, "", progId},
            {progId + "\\CLSID", "", std::string(info.classId)},
            {clsid + "\\InprocServer32", "", Library},
            {clsid + "\\InprocServer32", "ThreadingModel", "Apartment"},
            {clsid + "\\ProgID", "", progId},
            {clsid + "\\TypeLib", "", libraryId},
            {clsid + "\\Version", "", "78.2"},
            {interface, "", "_" + name},
            {events, "", "__" + name},
            {interface + "\\ProxyStubClsid32", "", "{00020424-0000-0000-C000-000000000046}"},
            {events + "\\TypeLib", "Version", "4e.2"},
        };
        for (const auto& [key, valueName, expected] : values) {
            EXPECT_EQ(value(registry, key, valueName), expected) << key << " " << valueName;
        }
        EXPECT_EQ(registry.openKey(RegistryRoot::CurrentUser, Classes + clsid + "\\Control",
                                   RegistryAccess::Read),
                  RegistryStatus::Ok);
    }
    EXPECT_EQ(value(registry, typeLibrary), "Casebench");
    EXPECT_EQ(value(registry, typeLibrary + "\\FLAGS"), "2");
    EXPECT_EQ(value(registry, typeLibrary + "\\HELPDIR"), "C:\\Programmer\\Casebench");
    // Under the bitness of the library file that holds it.
    EXPECT_EQ(value(registry, typeLibrary + (sizeof(void*) == 8 ? "\\409\\win64" : "\\409\\win32")),
              Library);

    // Twice over: what is not there is not missed.
    unregisterLibrary(registry);
    unregisterLibrary(registry);
    EXPECT_EQ(registry.openKey(RegistryRoot::CurrentUser, Classes + "TypeLib\\" + libraryId,
                               RegistryAccess::Read),
              RegistryStatus::NotFound);
    for (const LibraryClass& entry : CasebenchLibrary::classes()) {
        EXPECT_EQ(value(registry, entry.info.programmaticName()), "-");
        EXPECT_EQ(value(registry, "CLSID\\" + std::string(entry.info.classId)), "-");
    }
}

TEST(RegistrationTest, ARegistryThatRefusesTheUserIsPermissionDenied) {
    fake::MemoryRegistry registry;
    registry.failWrites(RegistryStatus::AccessDenied);
    EXPECT_EQ(testing::failureNumber([&] { registerLibrary(registry, Library); }),
              failure::PermissionDenied);
}

} // namespace
} // namespace lexi
