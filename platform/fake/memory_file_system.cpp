#include "platform/fake/memory_file_system.h"

#include "platform/failure.h"
#include "platform/text.h"
#include "platform/windows_path.h"

#include <algorithm>
#include <cctype>

namespace lexi::fake {
namespace {

const char* const Source = "FileSystem";

[[noreturn]] void fail(int number) {
    throw Failure(number, Source);
}

bool startsBelow(const std::string& key, const std::string& folder) {
    return key.size() > folder.size() + 1 && key.starts_with(folder) && key[folder.size()] == '\\';
}

} // namespace

MemoryFileSystem::MemoryFileSystem(std::string_view driveLetters) {
    for (const char letter : driveLetters) {
        const std::string root{static_cast<char>(std::toupper(static_cast<unsigned char>(letter))),
                               ':'};
        entries_[root] = {"", true, false, {}};
    }
    current_ = entries_.begin()->first + "\\";
    setTempFolder(current_ + "Temp");
}

MemoryFileSystem::Place MemoryFileSystem::locate(std::string_view path) const {
    const auto parsed = parseWindowsPath(path, [this] { return current_; });
    if (!parsed) {
        fail(failure::PathNotFound);
    }
    Place place{std::string{parsed->drive, ':'}, "", ""};
    if (!entries_.contains(place.key)) {
        fail(failure::PathNotFound);
    }
    for (const std::string& component : parsed->components) {
        if (component.size() > LongestName) {
            fail(failure::PathFileAccessError);
        }
        place.parent = place.key;
        place.key += '\\';
        place.key += text::toLower(component);
        place.name = component;
    }
    return place;
}

MemoryFileSystem::Entry* MemoryFileSystem::find(const std::string& key) {
    const auto at = entries_.find(key);
    return at == entries_.end() ? nullptr : &at->second;
}

MemoryFileSystem::Entry& MemoryFileSystem::existing(const Place& place) {
    if (Entry* entry = find(place.key)) {
        return *entry;
    }
    const Entry* parent = find(place.parent);
    fail(parent && parent->folder ? failure::FileNotFound : failure::PathNotFound);
}

void MemoryFileSystem::requireParentFolder(const Place& place) {
    const Entry* parent = find(place.parent);
    if (!parent || !parent->folder) {
        fail(failure::PathNotFound);
    }
}

MemoryFileSystem::Range MemoryFileSystem::below(const std::string& key) {
    // The separator is followed by ']' in the character order: the keys below
    // a folder lie between its key with the one and its key with the other.
    return {entries_.lower_bound(key + "\\"), entries_.lower_bound(key + "]")};
}

void MemoryFileSystem::moveTree(const std::string& from, const Place& to) {
    if (startsBelow(to.key, from)) {
        fail(failure::PathFileAccessError);
    }
    std::map<std::string, Entry> moved;
    moved[to.key] = std::move(entries_.at(from));
    moved[to.key].name = to.name;
    const auto [first, last] = below(from);
    for (auto at = first; at != last; ++at) {
        moved[to.key + at->first.substr(from.size())] = std::move(at->second);
    }
    eraseTree(from);
    entries_.merge(moved);
}

void MemoryFileSystem::eraseTree(const std::string& key) {
    const auto [first, last] = below(key);
    entries_.erase(first, last);
    entries_.erase(key);
}

std::string MemoryFileSystem::pathText(const std::string& key) {
    std::string path = key.substr(0, 2);
    for (std::size_t end = key.find('\\', 3);; end = key.find('\\', end + 1)) {
        path += "\\" + entries_.at(key.substr(0, end)).name;
        if (end == std::string::npos) {
            return path;
        }
    }
}

bool MemoryFileSystem::exists(std::string_view path) {
    try {
        return find(locate(path).key) != nullptr;
    } catch (const Failure&) {
        return false;
    }
}

bool MemoryFileSystem::isFolder(std::string_view path) {
    try {
        const Entry* entry = find(locate(path).key);
        return entry && entry->folder;
    } catch (const Failure&) {
        return false;
    }
}

std::int64_t MemoryFileSystem::fileSize(std::string_view path) {
    return static_cast<std::int64_t>(existing(locate(path)).bytes.size());
}

std::string MemoryFileSystem::fileStamp(std::string_view path) {
    try {
        const Entry* entry = find(locate(path).key);
        return entry && !entry->folder ? std::to_string(entry->stamp) : std::string();
    } catch (const Failure&) {
        return {};
    }
}

int MemoryFileSystem::attributes(std::string_view path) {
    const Entry& entry = existing(locate(path));
    int result = entry.folder ? attribute::Directory : attribute::Archive;
    if (entry.readOnly) {
        result |= attribute::ReadOnly;
    }
    if (entry.name.starts_with('.')) {
        result |= attribute::Hidden;
    }
    return result;
}

void MemoryFileSystem::setAttributes(std::string_view path, int attributes) {
    existing(locate(path)).readOnly = (attributes & attribute::ReadOnly) != 0;
}

void MemoryFileSystem::copyFile(std::string_view from, std::string_view to, bool overwrite) {
    const Place source = locate(from);
    const Place target = locate(to);
    const Entry original = existing(source);
    if (original.folder) {
        fail(failure::PathFileAccessError);
    }
    if (const Entry* there = find(target.key)) {
        if (there->folder) {
            fail(failure::PathFileAccessError);
        }
        if (!overwrite) {
            fail(failure::FileAlreadyExists);
        }
        if (there->readOnly) {
            fail(failure::PermissionDenied);
        }
    }
    requireParentFolder(target);
    Entry& copy = entries_[target.key];
    if (copy.name.empty()) {
        copy.name = target.name;
    }
    copy.bytes = original.bytes;
    copy.stamp = ++stamps_;
    copy.readOnly = original.readOnly;
}

void MemoryFileSystem::moveFile(std::string_view from, std::string_view to) {
    const Place source = locate(from);
    const Place target = locate(to);
    existing(source);
    if (find(target.key)) {
        fail(failure::FileAlreadyExists);
    }
    requireParentFolder(target);
    moveTree(source.key, target);
}

void MemoryFileSystem::replaceFile(std::string_view from, std::string_view to) {
    const Place source = locate(from);
    Place target = locate(to);
    const bool folder = existing(source).folder;
    requireParentFolder(target);
    if (target.key == source.key) {
        return;
    }
    if (const Entry* there = find(target.key)) {
        if (there->folder) {
            fail(failure::PathFileAccessError);
        }
        if (folder) {
            fail(failure::PathNotFound);
        }
        // The file keeps the name it had, as on a case-insensitive lookup.
        target.name = there->name;
        entries_.erase(target.key);
    }
    moveTree(source.key, target);
}

void MemoryFileSystem::deleteFile(std::string_view path, bool force) {
    const Place place = locate(path);
    const Entry& entry = existing(place);
    if (entry.folder) {
        fail(failure::FileNotFound);
    }
    if (!force && entry.readOnly) {
        fail(failure::PermissionDenied);
    }
    entries_.erase(place.key);
}

void MemoryFileSystem::createFolder(std::string_view path) {
    const Place place = locate(path);
    if (find(place.key)) {
        fail(failure::PathFileAccessError);
    }
    requireParentFolder(place);
    entries_[place.key] = {place.name, true, false, {}};
}

void MemoryFileSystem::removeFolder(std::string_view path, bool recursive) {
    const Place place = locate(path);
    if (!existing(place).folder) {
        fail(failure::PathNotFound);
    }
    const auto [first, last] = below(place.key);
    if (place.parent.empty() || (!recursive && first != last)) {
        fail(failure::PathFileAccessError);
    }
    eraseTree(place.key);
}

std::vector<std::string> MemoryFileSystem::list(std::string_view pattern) {
    const std::string_view folder = folderPart(pattern).empty() ? "." : folderPart(pattern);
    const std::string_view wildcard = fileNamePart(pattern);
    std::vector<std::string> names;
    if (!isFolder(folder)) {
        return names;
    }
    const std::string key = locate(folder).key;
    const auto [first, last] = below(key);
    for (auto at = first; at != last; ++at) {
        const bool child = at->first.find('\\', key.size() + 1) == std::string::npos;
        if (child && matchesWildcard(at->second.name, wildcard.empty() ? "*" : wildcard)) {
            names.push_back(at->second.name);
        }
    }
    // The keys are the names in lower case: the order is already by them.
    return names;
}

std::string MemoryFileSystem::readFile(std::string_view path) {
    const Entry& entry = existing(locate(path));
    if (entry.folder) {
        fail(failure::PathFileAccessError);
    }
    return entry.bytes;
}

void MemoryFileSystem::writeFile(std::string_view path, std::string_view bytes) {
    appendToFile(path, bytes, 0);
}

void MemoryFileSystem::appendToFile(std::string_view path, std::string_view bytes,
                                    std::int64_t emptyAbove) {
    const Place place = locate(path);
    Entry* entry = find(place.key);
    if (entry && entry->folder) {
        fail(failure::PathFileAccessError);
    }
    if (entry && entry->readOnly) {
        fail(failure::PermissionDenied);
    }
    if (!entry) {
        requireParentFolder(place);
        entry = &entries_[place.key];
        entry->name = place.name;
    }
    if (emptyAbove >= 0 && static_cast<std::int64_t>(entry->bytes.size()) > emptyAbove) {
        entry->bytes.clear();
    }
    entry->bytes += bytes;
    entry->stamp = ++stamps_;
}

void MemoryFileSystem::makeFolders(std::string_view path) {
    const auto parsed = parseWindowsPath(path, [this] { return current_; });
    std::string folder = parsed ? std::string{parsed->drive, ':'} : std::string();
    if (!entries_.contains(folder)) {
        fail(failure::PathNotFound);
    }
    for (const std::string& component : parsed->components) {
        folder += "\\" + component;
        const Place place = locate(folder);
        if (Entry* entry = find(place.key); entry && !entry->folder) {
            fail(failure::PathNotFound);
        }
        entries_.try_emplace(place.key, Entry{place.name, true, false, {}});
    }
}

void MemoryFileSystem::putFile(std::string_view path, std::string_view bytes) {
    const Place place = locate(path);
    makeFolders(path.substr(0, path.find_last_of("\\/") + 1));
    eraseTree(place.key);
    entries_[place.key] = {place.name, false, false, std::string(bytes), ++stamps_};
}

void MemoryFileSystem::changeFolder(std::string_view path) {
    const Place place = locate(path);
    const Entry* entry = find(place.key);
    if (!entry || !entry->folder) {
        fail(failure::PathNotFound);
    }
    current_ = pathText(place.key);
}

void MemoryFileSystem::setCurrentFolder(std::string_view path) {
    makeFolders(path);
    current_ = pathText(locate(path).key);
}

void MemoryFileSystem::setTempFolder(std::string_view path) {
    makeFolders(path);
    temp_ = pathText(locate(path).key);
}

void MemoryFileSystem::setMachineDrive(char letter, std::vector<std::string> ownFolders) {
    machineDrive_ = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    ownFolders_.clear();
    for (const std::string& folder : ownFolders) {
        ownFolders_.push_back(locate(folder).key);
    }
}

bool MemoryFileSystem::isUsersOwn(std::string_view path) {
    try {
        const std::string key = locate(path).key;
        return key[0] != machineDrive_ || std::ranges::any_of(ownFolders_, [&](const auto& own) {
                   return startsBelow(key, own);
               });
    } catch (const Failure&) {
        return false;
    }
}

} // namespace lexi::fake
