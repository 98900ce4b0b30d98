#pragma once

#include <string>
#include <vector>

namespace lexi {

// One file of a zip package (an Office Open XML or OpenDocument file).
struct PackageEntry {
    std::string name;
    std::string data;
};

// The files of the zip package at `hostPath`, in the package's order, folders
// left out. Throws lexi::Failure: FileNotFound for a missing file,
// PathFileAccessError for one that is no zip package or whose files would
// unpack to more than a document can hold.
std::vector<PackageEntry> readPackage(const std::string& hostPath);

// Writes `entries` as a new zip package at `hostPath`, each compressed except
// "mimetype", which OpenDocument wants first and stored as it is. Throws
// lexi::Failure when the file cannot be written.
void writePackage(const std::string& hostPath, const std::vector<PackageEntry>& entries);

} // namespace lexi
