#pragma once

#include <filesystem>
#include <string>

namespace lexi::testing {

// A fresh folder under the system's temporary folder, removed again with
// everything in it when the test ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
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
    ScopedVariable(const char* name, const std::string& value);
    ~ScopedVariable();
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
std::string readHostFile(const std::filesystem::path& path);

} // namespace lexi::testing
