#include "platform/posix/msgfile/compound_reader.h"

#include "platform/posix/msgfile/corrupt_file.h"
#include "platform/posix/msgfile/gsf_setup.h"

#include <algorithm>
#include <gsf/gsf-infile-impl.h>

namespace lexi::msgfile {

Storage::Storage(GsfInfile* ownedInfile, CompoundReader& reader)
    : infile_(ownedInfile, GObjectUnref{}), reader_(&reader) {}

std::vector<std::string> Storage::childNames() const {
    std::vector<std::string> names;
    const int count = gsf_infile_num_children(infile_.get());
    for (int i = 0; i < count; ++i) {
        if (const char* name = gsf_infile_name_by_index(infile_.get(), i)) {
            names.emplace_back(name);
        }
    }
    return names;
}

std::array<std::uint8_t, 16> Storage::classId() const {
    std::array<std::uint8_t, 16> classId{};
    gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(infile_.get()), classId.data());
    return classId;
}

// libgsf opens storages and streams alike; a stream has no child count. The
// class's own lookup reports a damaged child as an error, where
// gsf_infile_child_by_name would only log it.
GsfInput* Storage::child(const std::string& name, bool wantStorage) const {
    GError* error = nullptr;
    GsfInput* input = GSF_INFILE_CLASS(G_OBJECT_GET_CLASS(infile_.get()))
                          ->child_by_name(infile_.get(), name.c_str(), &error);
    if (error != nullptr) {
        const std::string reason = error->message;
        g_error_free(error);
        g_clear_object(&input);
        throw CorruptFile(name + " cannot be opened (" + reason + ")");
    }
    if (input == nullptr) {
        return nullptr;
    }
    const bool isStorage = gsf_infile_num_children(GSF_INFILE(input)) >= 0;
    if (isStorage != wantStorage) {
        g_object_unref(input);
        return nullptr;
    }
    return input;
}

std::optional<Storage> Storage::storage(const std::string& name) const {
    GsfInput* input = child(name, true);
    if (input == nullptr) {
        return std::nullopt;
    }
    return Storage(GSF_INFILE(input), *reader_);
}

std::optional<std::string> Storage::stream(const std::string& name) const {
    const GObjectPtr<GsfInput> input(child(name, false));
    if (!input) {
        return std::nullopt;
    }
    std::string content(spend(input.get(), name), '\0');
    if (!content.empty() && gsf_input_read(input.get(), content.size(),
                                           reinterpret_cast<guint8*>(content.data())) == nullptr) {
        throw CorruptFile("the stream " + name + " cannot be read");
    }
    return content;
}

// The stream is read through in pieces that libgsf lends without a copy where
// the file holds them in a row: a chain shorter than the stream fails as it
// does in stream().
void Storage::checkStream(const std::string& name) const {
    const GObjectPtr<GsfInput> input(child(name, false));
    if (!input) {
        return;
    }
    constexpr std::size_t Piece = 1 << 16;
    for (std::size_t left = spend(input.get(), name); left > 0;) {
        const std::size_t piece = std::min(left, Piece);
        if (gsf_input_read(input.get(), piece, nullptr) == nullptr) {
            throw CorruptFile("the stream " + name + " cannot be read");
        }
        left -= piece;
    }
}

std::size_t Storage::spend(GsfInput* input, const std::string& name) const {
    const gsf_off_t size = gsf_input_size(input);
    if (size < 0) {
        throw CorruptFile("the stream " + name + " has a negative size");
    }
    reader_->spend(static_cast<std::size_t>(size));
    return static_cast<std::size_t>(size);
}

CompoundReader::CompoundReader(std::string_view fileBytes) : unreadBytes_(fileBytes.size()) {
    setUpGsf();
    const unsigned failedChecks = gsfFailedChecks();
    input_.reset(gsf_input_memory_new(reinterpret_cast<const guint8*>(fileBytes.data()),
                                      static_cast<gsf_off_t>(fileBytes.size()), FALSE));
    GError* error = nullptr;
    root_.reset(gsf_infile_msole_new(input_.get(), &error));
    if (!root_) {
        const std::string reason = error != nullptr ? error->message : "unknown error";
        g_clear_error(&error);
        throw CorruptFile("not a compound file (" + reason + ")");
    }
    // A stream that claims more bytes than the file holds is dropped from
    // the directory, with the entries below it: read on, the item would
    // silently lack them.
    if (gsfFailedChecks() != failedChecks) {
        throw CorruptFile("a stream claims more bytes than the file holds");
    }
}

Storage CompoundReader::root() {
    return Storage(GSF_INFILE(g_object_ref(root_.get())), *this);
}

void CompoundReader::spend(std::size_t streamSize) {
    if (streamSize > unreadBytes_) {
        throw CorruptFile("its streams claim more data than the file holds");
    }
    unreadBytes_ -= streamSize;
}

} // namespace lexi::msgfile
