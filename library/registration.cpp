#include "library/registration.h"

#include "library/casebench_library.h"
#include "platform/cp1252.h"
#include "platform/failure.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace lexi {
namespace {

constexpr const char* Classes = "Software\\Classes\\";
// The automation marshaler, which every dispatch interface uses.
constexpr const char* AutomationProxy = "{00020424-0000-0000-C000-000000000046}";
// The type library's flags: a library of controls.
constexpr const char* ControlLibraryFlags = "2";

void check(RegistryStatus status) {
    if (status == RegistryStatus::AccessDenied) {
        throw Failure(failure::PermissionDenied, "Casebench");
    }
    if (status != RegistryStatus::Ok) {
        throw Failure(failure::PathFileAccessError, "Casebench");
    }
}

// The type library's version as COM looks it up: major and minor number in
// hexadecimal, so that 78.2 is "4e.2".
std::string registeredVersion() {
    const std::string_view version = CasebenchLibrary::TypeLibraryVersion;
    const std::size_t point = version.find('.');
    const auto hex = [](std::string_view decimal) {
        unsigned number = 0;
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), number);
        char text[8];
        std::snprintf(text, sizeof text, "%x", number);
        return std::string(text);
    };
    return hex(version.substr(0, point)) + "." + hex(version.substr(point + 1));
}

std::string typeLibraryKey() {
    return "TypeLib\\" + std::string(CasebenchLibrary::TypeLibraryId) + "\\" + registeredVersion();
}

// The type library's system kind, under which its file is found.
const char* systemKind(LibraryBitness bitness) {
    return bitness == LibraryBitness::Windows64 ? "win64" : "win32";
}

// The bitness of the library file this build makes.
constexpr LibraryBitness thisBuild =
    sizeof(void*) == 8 ? LibraryBitness::Windows64 : LibraryBitness::Windows32;

} // namespace

std::vector<RegistrationKey> registrationKeys(std::string_view libraryPath,
                                              std::string_view libraryFolder,
                                              LibraryBitness bitness) {
    const std::string path(libraryPath);
    const std::string libraryId(CasebenchLibrary::TypeLibraryId);
    const std::string version(CasebenchLibrary::TypeLibraryVersion);
    std::vector<RegistrationKey> keys;
    for (const LibraryClass& entry : CasebenchLibrary::classes()) {
        const ClassInfo& info = entry.info;
        const std::string progId = info.programmaticName();
        const std::string clsid = "CLSID\\" + std::string(info.classId);
        keys.push_back({progId, {{"", progId}}});
        keys.push_back({progId + "\\CLSID", {{"", std::string(info.classId)}}});
        keys.push_back({clsid, {{"", progId}}});
        keys.push_back({clsid + "\\InprocServer32", {{"", path}, {"ThreadingModel", "Apartment"}}});
        keys.push_back({clsid + "\\ProgID", {{"", progId}}});
        keys.push_back({clsid + "\\TypeLib", {{"", libraryId}}});
        keys.push_back({clsid + "\\Version", {{"", version}}});
        keys.push_back({clsid + "\\Control", {}});
        const std::pair<std::string_view, std::string> interfaces[] = {
            {info.interfaceId, "_" + std::string(info.name)},
            {info.eventInterfaceId, "__" + std::string(info.name)}};
        for (const auto& [iid, name] : interfaces) {
            const std::string interface = "Interface\\" + std::string(iid);
            keys.push_back({interface, {{"", name}}});
            keys.push_back({interface + "\\ProxyStubClsid32", {{"", AutomationProxy}}});
            keys.push_back(
                {interface + "\\TypeLib", {{"", libraryId}, {"Version", registeredVersion()}}});
        }
    }
    const std::string library = typeLibraryKey();
    keys.push_back({"TypeLib\\" + libraryId, {}});
    keys.push_back({library, {{"", "Casebench"}}});
    keys.push_back({library + "\\FLAGS", {{"", ControlLibraryFlags}}});
    keys.push_back({library + "\\HELPDIR", {{"", std::string(libraryFolder)}}});
    keys.push_back({library + "\\409", {}});
    keys.push_back({library + "\\409\\" + systemKind(bitness), {{"", path}}});
    return keys;
}

void registerLibrary(Registry& registry, std::string_view libraryPath) {
    const std::size_t folderEnd = libraryPath.find_last_of('\\');
    const std::string_view folder =
        folderEnd == std::string_view::npos ? std::string_view() : libraryPath.substr(0, folderEnd);
    for (const RegistrationKey& key : registrationKeys(libraryPath, folder, thisBuild)) {
        const std::string path = Classes + key.path;
        check(registry.createKey(RegistryRoot::CurrentUser, path));
        for (const auto& [name, value] : key.values) {
            const RegistryValue data{RegistryType::String, cp1252::fromUtf8(value) + '\0'};
            check(registry.setValue(RegistryRoot::CurrentUser, path, name, data));
        }
    }
}

void unregisterLibrary(Registry& registry) {
    // The deeper keys first: a key with subkeys cannot be deleted.
    const std::vector<RegistrationKey> keys = registrationKeys("", "", thisBuild);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        const RegistryStatus status =
            registry.deleteKey(RegistryRoot::CurrentUser, Classes + key->path);
        if (status != RegistryStatus::NotFound) {
            check(status);
        }
    }
}

} // namespace lexi
