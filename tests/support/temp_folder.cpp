#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace lexi::testing {

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lexitray-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

ScopedVariable::ScopedVariable(const char* name, const std::string& value) : name_(name) {
    const char* previous = std::getenv(name);
    hadPrevious_ = previous != nullptr;
    previous_ = previous ? previous : "";
    ::setenv(name, value.c_str(), 1);
}

ScopedVariable::~ScopedVariable() {
    if (hadPrevious_) {
        ::setenv(name_, previous_.c_str(), 1);
    } else {
        ::unsetenv(name_);
    }
}

std::string readHostFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace lexi::testing
