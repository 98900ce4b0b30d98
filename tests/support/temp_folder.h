#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace lexi::testing {

// A fresh folder under the system's temporary folder, removed again with
// everything in it when the test ends.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lexitray-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// Sets an environment variable for the life of the object, then puts back
// what was there.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value)
        : name_(name), previous_(std::getenv(name) ? std::getenv(name) : ""),
          hadPrevious_(std::getenv(name) != nullptr) {
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() { hadPrevious_ ? ::setenv(name_, previous_.c_str(), 1) : ::unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::string previous_;
    bool hadPrevious_;
};

// Sets LEXITRAY_HOME to a fresh folder for the life of the object.
class TempHome {
public:
    const TempFolder& folder() const { return folder_; }
    std::string str() const { return folder_.str(); }

private:
    TempFolder folder_;
    ScopedVariable variable_{"LEXITRAY_HOME", folder_.str()};
};

// The whole content of a host file; empty when it cannot be read.
inline std::string readHostFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace lexi::testing
