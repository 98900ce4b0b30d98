#include "platform/posix/drive_table.h"

#include "platform/cp1252.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/windows_path.h"

#include <cctype>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>

namespace lexi::posix {
namespace {

std::string withoutFinalSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

bool existsOnHost(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` but for letter case.
std::optional<std::string> caseInsensitiveEntry(const std::string& folder, std::string_view name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        return std::nullopt;
    }
    std::optional<std::string> match;
    while (const dirent* entry = ::readdir(dir)) {
        if (text::equalsIgnoreCase(entry->d_name, name)) {
            match = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return match;
}

std::string joinHost(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.ends_with('/')) {
        path += '/';
    }
    path += name;
    return path;
}

// The path with its links followed, as far as it exists.
std::string realPath(const std::string& hostPath) {
    std::error_code ignored;
    return std::filesystem::weakly_canonical(hostPath, ignored).string();
}

} // namespace

DriveTable::DriveTable(std::map<char, std::string> drives) {
    for (auto& [letter, folder] : drives) {
        drives_[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] =
            withoutFinalSlash(folder);
    }
}

DriveTable DriveTable::forHome(const std::string& home,
                               const std::map<char, std::string>& extraDrives) {
    std::map<char, std::string> drives = {{'C', withoutFinalSlash(home) + "/drive_c"}, {'Z', "/"}};
    for (const auto& [letter, folder] : extraDrives) {
        drives[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] = folder;
    }
    return DriveTable(std::move(drives));
}

DriveTable DriveTable::load(Registry& registry, const std::string& home) {
    const char* const DrivesKey = "Software\\Lexitray\\Drives";
    std::map<char, std::string> extra;
    for (const std::string& name : registry.valueNames(RegistryRoot::CurrentUser, DrivesKey)) {
        const bool isDrive = (name.size() == 1 || (name.size() == 2 && name[1] == ':')) &&
                             std::isalpha(static_cast<unsigned char>(name[0]));
        RegistryValue value;
        std::size_t size = 0;
        if (isDrive && registry.queryValue(RegistryRoot::CurrentUser, DrivesKey, name, 4096, value,
                                           size) == RegistryStatus::Ok) {
            const std::string_view data = value.data;
            const std::string folder = cp1252::toUtf8(data.substr(0, data.find('\0')));
            if (!folder.empty()) {
                extra[name[0]] = folder;
            }
        }
    }
    return forHome(home, extra);
}

std::optional<std::string> DriveTable::toHost(std::string_view windowsPath) const {
    const auto path = parseWindowsPath(windowsPath, [this] { return currentFolder_; });
    if (!path) {
        return std::nullopt;
    }
    const auto drive = drives_.find(path->drive);
    if (drive == drives_.end()) {
        return std::nullopt;
    }
    std::string host = drive->second;
    for (const std::string& component : path->components) {
        std::string exact = joinHost(host, component);
        if (!existsOnHost(exact)) {
            if (const auto match = caseInsensitiveEntry(host, component)) {
                exact = joinHost(host, *match);
            }
        }
        host = std::move(exact);
    }
    return host;
}

bool DriveTable::isUsersOwn(std::string_view windowsPath,
                            const std::vector<std::string>& ownFolders) const {
    const auto path = parseWindowsPath(windowsPath, [this] { return currentFolder_; });
    const auto drive = path ? drives_.find(path->drive) : drives_.end();
    if (drive == drives_.end()) {
        return false;
    }
    if (drive->second != "/") {
        return true;
    }
    const std::string real = realPath(*toHost(windowsPath));
    for (const std::string& folder : ownFolders) {
        const std::string own = withoutFinalSlash(realPath(folder));
        if (!folder.empty() && real.size() > own.size() + 1 && real.starts_with(own) &&
            real[own.size()] == '/') {
            return true;
        }
    }
    return false;
}

std::string DriveTable::toWindows(std::string_view hostPath) const {
    char bestLetter = 0;
    std::size_t bestLength = 0;
    for (const auto& [letter, folder] : drives_) {
        const bool inside = folder == "/" || hostPath == folder ||
                            (hostPath.starts_with(folder) && hostPath.size() > folder.size() &&
                             hostPath[folder.size()] == '/');
        if (inside && (bestLetter == 0 || folder.size() > bestLength)) {
            bestLetter = letter;
            bestLength = folder == "/" ? 0 : folder.size();
        }
    }
    if (bestLetter == 0) {
        return std::string(hostPath);
    }
    std::string rest(hostPath.substr(bestLength));
    for (char& c : rest) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (!rest.starts_with('\\')) {
        rest.insert(rest.begin(), '\\');
    }
    return std::string(1, bestLetter) + ":" + rest;
}

} // namespace lexi::posix
