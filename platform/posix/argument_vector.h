#pragma once

#include <string>
#include <vector>

namespace lexi::posix {

// The argv of a program to start: pointers into `arguments`, which must
// outlive it, ended by a null pointer.
inline std::vector<char*> argumentVector(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

} // namespace lexi::posix
