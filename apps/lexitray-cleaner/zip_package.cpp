#include "apps/lexitray-cleaner/zip_package.h"

#include "platform/failure.h"

#include <cerrno>
#include <memory>
#include <zip.h>

namespace lexi {
namespace {

constexpr const char* Source = "ZipPackage";
// More than any document a firm sends; a package claiming more is damaged or
// built to exhaust the machine.
constexpr zip_uint64_t MaxUnpackedSize = zip_uint64_t{1} << 30;

struct Discard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, Discard>;

struct CloseFile {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

Failure notAPackage() {
    return Failure(failure::PathFileAccessError, Source);
}

} // namespace

std::vector<PackageEntry> readPackage(const std::string& hostPath) {
    int error = 0;
    const Archive archive(zip_open(hostPath.c_str(), ZIP_RDONLY, &error));
    if (!archive) {
        if (error == ZIP_ER_NOENT) {
            throw failureFromErrno(ENOENT, hostPath, Source);
        }
        throw notAPackage();
    }
    std::vector<PackageEntry> entries;
    zip_uint64_t unpacked = 0;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) ||
            !(stat.valid & ZIP_STAT_SIZE)) {
            throw notAPackage();
        }
        const std::string name = stat.name;
        if (name.empty() || name.back() == '/') {
            continue;
        }
        unpacked += stat.size;
        if (unpacked > MaxUnpackedSize) {
            throw notAPackage();
        }
        const std::unique_ptr<zip_file_t, CloseFile> file(zip_fopen_index(archive.get(), index, 0));
        std::string data(stat.size, '\0');
        if (!file ||
            zip_fread(file.get(), data.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
            throw notAPackage();
        }
        entries.push_back({name, std::move(data)});
    }
    return entries;
}

void writePackage(const std::string& hostPath, const std::vector<PackageEntry>& entries) {
    int error = 0;
    Archive archive(zip_open(hostPath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!archive) {
        throw Failure(failure::PathFileAccessError, Source);
    }
    for (const PackageEntry& entry : entries) {
        zip_source_t* data =
            zip_source_buffer(archive.get(), entry.data.data(), entry.data.size(), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive.get(), entry.name.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(data);
            throw Failure(failure::PathFileAccessError, Source);
        }
        const zip_int32_t method = entry.name == "mimetype" ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        if (zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), method, 0) !=
            0) {
            throw Failure(failure::PathFileAccessError, Source);
        }
    }
    if (zip_close(archive.get()) != 0) {
        throw Failure(failure::PathFileAccessError, Source);
    }
    (void)archive.release(); // zip_close freed it
}

} // namespace lexi
