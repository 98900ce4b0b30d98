#pragma once

#include "platform/posix/msgfile/gobject_ptr.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <gsf/gsf.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Read access to a compound file (MS-CFB) in memory, through libgsf.
namespace lexi::msgfile {

class CompoundReader;

// A storage (a folder) of the compound file; copies share it. It must not
// outlive the reader it came from.
class Storage {
public:
    std::vector<std::string> childNames() const;
    // The storage's CLSID in its on-disk byte order.
    std::array<std::uint8_t, 16> classId() const;
    // The child storage of that name, if there is one.
    std::optional<Storage> storage(const std::string& name) const;
    // The whole content of the child stream of that name, if there is one.
    std::optional<std::string> stream(const std::string& name) const;
    // Checks the child stream of that name, if there is one, as stream()
    // would read it, without copying its content.
    void checkStream(const std::string& name) const;

private:
    friend class CompoundReader;
    Storage(GsfInfile* ownedInfile, CompoundReader& reader);
    GsfInput* child(const std::string& name, bool wantStorage) const;
    // The size of a child stream, spent from what the file holds.
    std::size_t spend(GsfInput* input, const std::string& name) const;

    std::shared_ptr<GsfInfile> infile_;
    CompoundReader* reader_;
};

// Throws CorruptFile when the bytes are not a compound file, or when its
// streams claim more data than the file holds: in a sound file no two streams
// share a sector, so all of them together fit in the file, and a hostile one
// cannot make the reader allocate more than that.
class CompoundReader {
public:
    // The bytes must outlive the reader.
    explicit CompoundReader(std::string_view fileBytes);

    Storage root();

private:
    friend class Storage;
    void spend(std::size_t streamSize);

    GObjectPtr<GsfInput> input_;
    GObjectPtr<GsfInfile> root_;
    std::size_t unreadBytes_;
};

} // namespace lexi::msgfile
