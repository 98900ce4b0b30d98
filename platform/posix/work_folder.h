#pragma once

#include <filesystem>
#include <string>

namespace lexi::posix {

// A private folder made beside a file another program waits for, where that
// file is prepared and from which it is renamed into place on the same file
// system. The folder goes, with whatever is left in it, when the object goes.
class WorkFolder {
public:
    // Makes the folder in `hostParent`; throws lexi::Failure (with `source`)
    // when it cannot.
    WorkFolder(const std::filesystem::path& hostParent, const char* source);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace lexi::posix
