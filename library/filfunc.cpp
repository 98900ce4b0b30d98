#include "library/filfunc.h"

#include "library/variant.h"
#include "platform/failure.h"
#include "platform/text.h"
#include "platform/utf8.h"
#include "platform/windows_path.h"

#include <cctype>
#include <optional>
#include <vector>

namespace lexi {
namespace {

constexpr const char* Source = "Filfunc";
// The workstation's own folders, as the file-system service names them.
constexpr const char* WindowsFolder = "C:\\Windows";
constexpr const char* SystemFolder = "C:\\Windows\\System32";
constexpr std::size_t LongestPath = 255;
constexpr std::size_t LongestKeptName = 98;
constexpr std::size_t ShortenedName = 90;

void normalise(std::string& folder) {
    if (!folder.ends_with('\\')) {
        folder += '\\';
    }
}

} // namespace

Filfunc::Filfunc(FileSystem& files, Ui& ui, Processes& processes, WordConnector& word,
                 LibraryState& state)
    : files_(files), ui_(ui), processes_(processes), word_(word), state_(state) {}

std::string Filfunc::OpretMappe(const std::string& Mappe) {
    try {
        if (Mappe.starts_with("\\\\") || Mappe.starts_with("//")) {
            throw Failure(failure::PathNotFound, Source);
        }
        // Row 1 is the drive part, each "\" begins the next row.
        std::vector<std::string> rows(2);
        std::size_t position = 0; // in characters as the workstation counts them
        for (std::size_t pos = 0; pos < Mappe.size();) {
            const std::size_t start = pos;
            const char32_t ch = utf8::decode(Mappe, pos);
            position += ch > 0xFFFF ? 2 : 1;
            if (ch == U'\\') {
                rows.emplace_back();
                continue;
            }
            if (position > LongestPath) {
                return "Stinavnet er for langt";
            }
            if (rows.size() > 257) {
                throw Failure(failure::SubscriptOutOfRange, Source);
            }
            rows.back().append(Mappe, start, pos - start);
        }
        const std::string& drive = rows[1];
        files_.changeFolder(drive.ends_with(':') ? drive + "\\" : "\\");
        std::string working = drive;
        for (std::size_t row = 2; row < rows.size(); ++row) {
            if (rows[row].empty()) {
                continue;
            }
            working += "\\" + rows[row];
            // The drives compare names without regard to letter case: a
            // folder there in another case is this folder, not one to make.
            if (!files_.isFolder(working)) {
                files_.createFolder(working);
            }
            files_.changeFolder(working);
        }
        files_.changeFolder("\\");
        return "OK";
    } catch (const Failure& failed) {
        return failed.description();
    }
}

std::string Filfunc::HentFil(std::string& Sti) {
    if (Sti.empty()) {
        Sti = "C:\\";
    }
    std::string chosen = ui_.openFileName("Hent Fil", "Alle filer (*.*)|*.*", Sti, "");
    return chosen == "*.*" ? std::string() : chosen;
}

std::string Filfunc::HentDir(const std::string& StartSti) {
    state_.DirStartPath = StartSti;
    state_.DirChosenPath = ui_.chooseFolder("Vælg mappe", StartSti);
    return state_.DirChosenPath;
}

std::string Filfunc::Kopier(const std::string& FraSti, std::string& TilSti,
                            const std::string& Beskyt, std::string& Filnavn) {
    const bool protect = Beskyt == "ReadOnly";
    normalise(TilSti);
    try {
        if (Filnavn.empty()) {
            Filnavn = FraSti.substr(FraSti.rfind('\\') + 1);
        }
        const std::string target = TilSti + Filnavn;
        if (files_.exists(target) && !mayChange(target, 2)) {
            return "Fejl";
        }
        files_.copyFile(FraSti, target, true);
        if (protect) {
            files_.setAttributes(target, attribute::ReadOnly);
        }
        return "OK";
    } catch (const Failure&) {
        return "Fejl";
    }
}

std::string Filfunc::Kontrol(const std::string& Filnavn) {
    return (files_.attributes(Filnavn) & attribute::ReadOnly) ? "ReadOnly" : "Normal";
}

bool Filfunc::mayChange(const std::string& path, std::size_t depth) {
    const auto names = namesBelowRoot(path);
    return names && *names >= depth && files_.isUsersOwn(path);
}

std::string Filfunc::MappeSlet(std::string& Mappe) {
    if (Mappe.ends_with('\\')) {
        Mappe.pop_back();
    }
    if (!mayChange(Mappe, 1)) {
        return {};
    }
    try {
        files_.removeFolder(Mappe, true);
    } catch (const Failure&) {
        // A folder that is missing or in use stays as it is; the caller
        // looks no further.
    }
    return {};
}

std::string Filfunc::GetDataSource(const std::string& File) {
    if (File.size() < 3 || text::toLower(std::string_view(File).substr(File.size() - 3)) != "doc") {
        return {};
    }
    const std::unique_ptr<WordApplication> word = word_.start();
    // This Word instance is ours alone: it goes whatever happens.
    struct Quit {
        WordApplication& word;
        ~Quit() {
            try {
                word.quit();
            } catch (const Failure&) {
                // Gone already.
            }
        }
    } quit{*word};
    std::string candidate;
    if (const auto document = word->open(File, false, false, true)) {
        candidate = document->mailMergeDataSource();
    }
    return !candidate.empty() && files_.exists(candidate) ? candidate : std::string();
}

bool Filfunc::isNormalFile(const std::string& path) {
    return (files_.attributes(path) &
            (attribute::Hidden | attribute::System | attribute::Directory)) == 0;
}

std::string Filfunc::FileExists(const std::string& File) {
    const std::string folder(folderPart(File));
    for (const std::string& name : files_.list(File)) {
        if (isNormalFile(folder + name)) {
            return name;
        }
    }
    return {};
}

std::string Filfunc::TjekMappeOmIndhold(std::string& Mappe) {
    normalise(Mappe);
    return FileExists(Mappe + "*.*").empty() ? std::string() : "OK";
}

void Filfunc::KortFilnavn(std::string& Mappe) {
    normalise(Mappe);
    if (!mayChange(Mappe, 1)) {
        throw Failure(failure::PathFileAccessError, Source);
    }
    for (const std::string& name : files_.list(Mappe + "*.*")) {
        if (text::utf16Length(name) <= LongestKeptName || !isNormalFile(Mappe + name)) {
            continue;
        }
        std::string shortName = fittedName(files_, text::left(name, ShortenedName),
                                           "." + std::string(extensionPart(name)));
        for (int k = 1; files_.exists(Mappe + shortName); ++k) {
            const std::string e(extensionPart(shortName));
            shortName = fittedName(
                files_,
                text::left(shortName, text::utf16Length(shortName) - (text::utf16Length(e) + 1)),
                "_" + std::to_string(k) + "." + e);
        }
        files_.copyFile(Mappe + name, Mappe + shortName, false);
        files_.deleteFile(Mappe + name, false);
    }
}

std::string Filfunc::SpecialFolderLocation(const std::string& FolderName) {
    switch (Variant(FolderName).toInteger()) {
    case 0:
        return WindowsFolder;
    case 1:
        return SystemFolder;
    case 2:
        return files_.tempFolder();
    default:
        throw Failure(failure::InvalidProcedureCall, Source);
    }
}

bool Filfunc::CmdShell(const std::string& Param) {
    try {
        processes_.start(Param, ShowMode::Minimized);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

} // namespace lexi
