#include "apps/lexitray-cleaner/zip_package.h"

#include "platform/failure.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string_view>
#include <zip.h>

namespace lexi {
namespace {

constexpr const char* Source = "ZipPackage";
// Far more than any document a firm sends by mail unpacks to, and little
// enough that the cleaner's copies of it in memory fit the workstation's.
constexpr std::uint64_t MaxUnpackedSize = std::uint64_t{256} << 20;
// Documents' XML packs to a tenth or a twentieth of its size; a file that
// packs a hundred times tighter is repeated filler.
constexpr std::uint64_t MaxRatio = 100;
// Small files may pack as tightly as they like: the total bounds them.
constexpr std::uint64_t RatioCheckedFrom = std::uint64_t{1} << 20;

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

// Whether a file name stays in the folder a reader unpacks the package to:
// no absolute name, no ".." part, no backslash (a folder separator to
// Windows' readers).
bool staysInside(std::string_view name) {
    if (name.starts_with('/') || name.find('\\') != std::string_view::npos) {
        return false;
    }
    for (std::size_t start = 0; start <= name.size();) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (name.substr(start, end - start) == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

} // namespace

void checkInflation(const std::vector<PackedSize>& files) {
    std::uint64_t unpacked = 0;
    for (const PackedSize& file : files) {
        if (file.unpacked > RatioCheckedFrom && file.unpacked / MaxRatio > file.packed) {
            throw Failure(failure::PathFileAccessError,
                          "En fil i dokumentet pakker ud til mere end 100 gange sin størrelse; "
                          "dokumentet renses ikke",
                          Source);
        }
        unpacked += std::min(file.unpacked, MaxUnpackedSize + 1);
        if (unpacked > MaxUnpackedSize) {
            throw Failure(failure::PathFileAccessError,
                          "Dokumentet fylder mere end 256 MB pakket ud; dokumentet renses ikke",
                          Source);
        }
    }
}

std::vector<PackageEntry> readPackage(const std::string& hostPath) {
    int error = 0;
    const Archive archive(zip_open(hostPath.c_str(), ZIP_RDONLY, &error));
    if (!archive) {
        if (error == ZIP_ER_NOENT) {
            throw failureFromErrno(ENOENT, hostPath, Source);
        }
        throw notAPackage();
    }
    // The directory's sizes are checked before any file is unpacked, and a
    // file is never read past the size checked.
    std::vector<zip_stat_t> files;
    std::vector<PackedSize> sizes;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        const zip_uint64_t needed =
            ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_INDEX;
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
            (stat.valid & needed) != needed) {
            throw notAPackage();
        }
        const std::string_view name = stat.name;
        if (!name.empty() && !name.ends_with('/') && staysInside(name)) {
            files.push_back(stat);
            sizes.push_back({stat.comp_size, stat.size});
        }
    }
    checkInflation(sizes);
    std::vector<PackageEntry> entries;
    for (const zip_stat_t& stat : files) {
        const std::unique_ptr<zip_file_t, CloseFile> file(
            zip_fopen_index(archive.get(), stat.index, 0));
        std::string data(stat.size, '\0');
        if (!file ||
            zip_fread(file.get(), data.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
            throw notAPackage();
        }
        entries.push_back({stat.name, std::move(data)});
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
