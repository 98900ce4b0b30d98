#include "platform/posix/msgfile/compound_writer.h"

#include "platform/posix/msgfile/gsf_setup.h"

#include <stdexcept>

namespace lexi::msgfile {
namespace {

bool closeOnce(GsfOutput* output) {
    return gsf_output_is_closed(output) || gsf_output_close(output);
}

GsfOutput* newChild(GsfOutfile* parent, const std::string& name, bool isStorage) {
    GsfOutput* child = gsf_outfile_new_child(parent, name.c_str(), isStorage ? TRUE : FALSE);
    if (child == nullptr) {
        throw std::runtime_error("libgsf cannot create " + name);
    }
    return child;
}

} // namespace

OutStorage::OutStorage(GObjectPtr<GsfOutfile> outfile) : outfile_(std::move(outfile)) {}

OutStorage::~OutStorage() {
    if (outfile_) {
        closeOnce(GSF_OUTPUT(outfile_.get()));
    }
}

OutStorage OutStorage::storage(const std::string& name) {
    return OutStorage(GObjectPtr<GsfOutfile>(GSF_OUTFILE(newChild(outfile_.get(), name, true))));
}

void OutStorage::setClassId(const std::array<std::uint8_t, 16>& classId) {
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(outfile_.get()), classId.data());
}

void OutStorage::stream(const std::string& name, std::string_view content) {
    const GObjectPtr<GsfOutput> child(newChild(outfile_.get(), name, false));
    gsf_output_write(child.get(), content.size(), reinterpret_cast<const guint8*>(content.data()));
    gsf_output_close(child.get());
}

CompoundWriter::CompoundWriter(const ClassId& classId) {
    setUpGsf();
    sink_.reset(gsf_output_memory_new());
    root_.reset(gsf_outfile_msole_new(sink_.get()));
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root_.get()), classId.data());
}

OutStorage CompoundWriter::root() {
    return OutStorage(GObjectPtr<GsfOutfile>(GSF_OUTFILE(g_object_ref(root_.get()))));
}

std::string CompoundWriter::finish() {
    if (!closeOnce(GSF_OUTPUT(root_.get())) || !closeOnce(sink_.get())) {
        throw std::runtime_error("libgsf cannot complete the compound file");
    }
    const auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink_.get()));
    return std::string(reinterpret_cast<const char*>(bytes),
                       static_cast<std::size_t>(gsf_output_size(sink_.get())));
}

} // namespace lexi::msgfile
