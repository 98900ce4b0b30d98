#pragma once

#include "platform/posix/msgfile/gobject_ptr.h"

#include <array>
#include <cstdint>
#include <gsf/gsf.h>
#include <string>
#include <string_view>

// Builds a compound file (MS-CFB) in memory, through libgsf.
namespace lexi::msgfile {

// A storage being written. Closing the root storage writes the whole file, so
// every other storage is destroyed first.
class OutStorage {
public:
    explicit OutStorage(GObjectPtr<GsfOutfile> outfile);
    ~OutStorage();
    OutStorage(OutStorage&&) = default;
    OutStorage& operator=(OutStorage&&) = delete;

    OutStorage storage(const std::string& name);
    // classId: the storage's CLSID, in its on-disk byte order.
    void setClassId(const std::array<std::uint8_t, 16>& classId);
    void stream(const std::string& name, std::string_view content);

private:
    GObjectPtr<GsfOutfile> outfile_;
};

class CompoundWriter {
public:
    using ClassId = std::array<std::uint8_t, 16>;

    // classId is the root storage's CLSID, in its on-disk byte order.
    explicit CompoundWriter(const ClassId& classId);

    OutStorage root();
    // Closes the file and returns its bytes.
    std::string finish();

private:
    GObjectPtr<GsfOutput> sink_;
    GObjectPtr<GsfOutfile> root_;
};

} // namespace lexi::msgfile
