#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lexi {

// One file of a zip package (an Office Open XML or OpenDocument file).
struct PackageEntry {
    std::string name;
    std::string data;
};

// The sizes of one file of a package, as the package's directory gives them.
struct PackedSize {
    std::uint64_t packed;
    std::uint64_t unpacked;
};

// Refuses, before anything is unpacked, a package that no document sent by
// mail needs and that one built to exhaust the machine is: files that unpack
// to more than 256 MB together, or one file of more than 1 MB that unpacks
// to more than 100 times its packed size. Throws lexi::Failure
// (PathFileAccessError) with a message that says which.
void checkInflation(const std::vector<PackedSize>& files);

// The files of the zip package at `hostPath`, in the package's order, folders
// left out, and so are names that would lead out of the folder a reader
// unpacks to. Throws lexi::Failure: FileNotFound for a missing file,
// PathFileAccessError for one that is no zip package or that checkInflation
// refuses; nothing is unpacked then.
std::vector<PackageEntry> readPackage(const std::string& hostPath);

// Writes `entries` as a new zip package at `hostPath`, each compressed except
// "mimetype", which OpenDocument wants first and stored as it is. Throws
// lexi::Failure when the file cannot be written.
void writePackage(const std::string& hostPath, const std::vector<PackageEntry>& entries);

} // namespace lexi
