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
// The type library's locale and system kind, under which its file is found:
// the kind is the bitness of the library file that holds it.
constexpr const char* TypeLibraryFile = sizeof(void*) == 8 ? "\\409\\win64" : "\\409\\win32";

void check(RegistryStatus status) {
    if (status == RegistryStatus::AccessDenied) {
        throw Failure(failure::PermissionDenied, "Casebench");
    }
    if (status != RegistryStatus::Ok) {
        throw Failure(failure::PathFileAccessError, "Casebench");
    }
}

class Writer {
public:
    explicit Writer(Registry& registry) : registry_(registry) {}

    // Creates the key below Software\Classes and sets its values, the
    // default value under the empty name.
    void key(const std::string& subkey,
             std::initializer_list<std::pair<std::string_view, std::string>> values = {}) {
        const std::string path = Classes + subkey;
        check(registry_.createKey(RegistryRoot::CurrentUser, path));
        for (const auto& [name, value] : values) {
            RegistryValue data{RegistryType::String, cp1252::fromUtf8(value) + '\0'};
            check(registry_.setValue(RegistryRoot::CurrentUser, path, name, data));
        }
    }

private:
    Registry& registry_;
};

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

// Every key the registration writes, the deeper ones before the key they
// are in.
std::vector<std::string> registeredKeys() {
    std::vector<std::string> keys;
    for (const LibraryClass& entry : CasebenchLibrary::classes()) {
        const ClassInfo& info = entry.info;
        const std::string clsid = "CLSID\\" + std::string(info.classId);
        for (const char* below :
             {"\\InprocServer32", "\\ProgID", "\\TypeLib", "\\Version", "\\Control", ""}) {
            keys.push_back(clsid + below);
        }
        keys.push_back(info.programmaticName() + "\\CLSID");
        keys.push_back(info.programmaticName());
        for (const std::string_view iid : {info.interfaceId, info.eventInterfaceId}) {
            const std::string interface = "Interface\\" + std::string(iid);
            keys.push_back(interface + "\\ProxyStubClsid32");
            keys.push_back(interface + "\\TypeLib");
            keys.push_back(interface);
        }
    }
    const std::string library = typeLibraryKey();
    for (const char* below : {TypeLibraryFile, "\\409", "\\FLAGS", "\\HELPDIR", ""}) {
        keys.push_back(library + below);
    }
    keys.push_back("TypeLib\\" + std::string(CasebenchLibrary::TypeLibraryId));
    return keys;
}

} // namespace

void registerLibrary(Registry& registry, std::string_view libraryPath) {
    Writer write(registry);
    const std::string path(libraryPath);
    const std::string libraryId(CasebenchLibrary::TypeLibraryId);
    const std::string version(CasebenchLibrary::TypeLibraryVersion);
    for (const LibraryClass& entry : CasebenchLibrary::classes()) {
        const ClassInfo& info = entry.info;
        const std::string progId = info.programmaticName();
        const std::string clsid = "CLSID\\" + std::string(info.classId);
        write.key(progId, {{"", progId}});
        write.key(progId + "\\CLSID", {{"", std::string(info.classId)}});
        write.key(clsid, {{"", progId}});
        write.key(clsid + "\\InprocServer32", {{"", path}, {"ThreadingModel", "Apartment"}});
        write.key(clsid + "\\ProgID", {{"", progId}});
        write.key(clsid + "\\TypeLib", {{"", libraryId}});
        write.key(clsid + "\\Version", {{"", version}});
        write.key(clsid + "\\Control");
        const std::pair<std::string_view, std::string> interfaces[] = {
            {info.interfaceId, "_" + std::string(info.name)},
            {info.eventInterfaceId, "__" + std::string(info.name)}};
        for (const auto& [iid, name] : interfaces) {
            const std::string interface = "Interface\\" + std::string(iid);
            write.key(interface, {{"", name}});
            write.key(interface + "\\ProxyStubClsid32", {{"", AutomationProxy}});
            write.key(interface + "\\TypeLib", {{"", libraryId}, {"Version", registeredVersion()}});
        }
    }
    const std::string library = typeLibraryKey();
    const std::size_t folderEnd = path.find_last_of('\\');
    write.key(library, {{"", "Casebench"}});
    write.key(library + "\\FLAGS", {{"", ControlLibraryFlags}});
    write.key(library + "\\HELPDIR",
              {{"", folderEnd == std::string::npos ? std::string() : path.substr(0, folderEnd)}});
    write.key(library + TypeLibraryFile, {{"", path}});
}

void unregisterLibrary(Registry& registry) {
    for (const std::string& key : registeredKeys()) {
        const RegistryStatus status = registry.deleteKey(RegistryRoot::CurrentUser, Classes + key);
        if (status != RegistryStatus::NotFound) {
            check(status);
        }
    }
}

} // namespace lexi
