// Writes the registry rows of casebench.ocx for the Windows installer, as a
// WiX include, from the same table the library's own registration writes:
//   casebench_registry_wxi win32|win64 FILE-ID FOLDER-ID OUTPUT.wxi
// The library's path and folder are the installer's formatted references to
// the installed file ([#FILE-ID]) and its folder ([FOLDER-ID]).

#include "library/registration.h"

#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The rows of one key: its values, or, for a key without values, the row
// named "*" that makes the key on install and removes it with everything in
// it on removal.
void writeKey(std::ostream& out, const lexi::RegistrationKey& key) {
    const std::string row = "    <RegistryValue Root=\"HKCR\" Key=\"" + escaped(key.path) + "\"";
    if (key.values.empty()) {
        out << row << " Name=\"*\" Type=\"string\" Value=\"\"/>\n";
    }
    for (const auto& [name, value] : key.values) {
        out << row;
        if (!name.empty()) {
            out << " Name=\"" << escaped(name) << "\"";
        }
        out << " Type=\"string\" Value=\"" << escaped(value) << "\"/>\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view kind = argc == 5 ? argv[1] : "";
    if (kind != "win32" && kind != "win64") {
        std::cerr << "usage: casebench_registry_wxi win32|win64 FILE-ID FOLDER-ID OUTPUT.wxi\n";
        return 2;
    }
    const auto bitness =
        kind == "win64" ? lexi::LibraryBitness::Windows64 : lexi::LibraryBitness::Windows32;
    const std::string path = "[#" + std::string(argv[2]) + "]";
    const std::string folder = "[" + std::string(argv[3]) + "]";

    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        << "<!-- Made by casebench_registry_wxi from the library's registration. -->\n"
        << "<Include>\n";
    for (const lexi::RegistrationKey& key : lexi::registrationKeys(path, folder, bitness)) {
        writeKey(out, key);
    }
    out << "</Include>\n";
    out.close();
    if (!out) {
        std::cerr << "casebench_registry_wxi: cannot write " << argv[4] << "\n";
        return 1;
    }
    return 0;
}
