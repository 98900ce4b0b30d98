#pragma once

#include <stdexcept>
#include <string>

namespace lexi::msgfile {

// Raised inside the reader when the bytes are not a readable item file; the
// public functions turn it into a lexi::Failure that names the file.
class CorruptFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace lexi::msgfile
