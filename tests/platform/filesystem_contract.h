#pragma once

// The rules every file system keeps, run against each of them from this one
// source: each build instantiates the suite for its machines (see
// INSTANTIATE_TYPED_TEST_SUITE_P in lexi::filesystem_contract). A machine
// has a member `files` whose drives C: and D: are empty but for the
// temporary folder C:\Temp, `setCurrentFolder(path)`, and `path(text)`, the
// text with the drive letters C: and D: turned into the machine's own.

#include "platform/failure.h"
#include "platform/filesystem.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace lexi::filesystem_contract {

using Path = const std::string&;

inline const std::string Letter = "C:\\Sager\\12 Ærø\\Brev.DOCX";

// The calls of the contract by name, so that a table row reads as the call; each
// answers its result as text, "" when it has none. `write` writes `b`, `append`
// appends it to a file it empties first when it has grown past 10 bytes, `kind`
// tells a file (f), a folder (d) or nothing (-), `list` the names found, each
// followed by ';'.
using Call = std::function<std::string(FileSystem&, Path, Path)>;
#define CALL(...) Call([](FileSystem& f, Path a, [[maybe_unused]] Path b) { return __VA_ARGS__; })
// clang-format off
inline const std::map<std::string, Call> Calls = {
    {"size", CALL(std::to_string(f.fileSize(a)))}, {"read", CALL(f.readFile(a))},
    {"list", CALL([&] { std::string n; for (auto& x : f.list(a)) n += x + ";"; return n; }())},
    {"write", CALL(f.writeFile(a, b), "")}, {"append!", CALL(f.appendToFile(a, b, -1), "")},
    {"mkdir", CALL(f.createFolder(a), "")},        {"rmdir", CALL(f.removeFolder(a, false), "")},
    {"rmtree", CALL(f.removeFolder(a, true), "")}, {"delete", CALL(f.deleteFile(a, false), "")},
    {"delete!", CALL(f.deleteFile(a, true), "")},  {"copy", CALL(f.copyFile(a, b, false), "")},
    {"copy!", CALL(f.copyFile(a, b, true), "")},   {"move", CALL(f.moveFile(a, b), "")},
    {"replace", CALL(f.replaceFile(a, b), "")},    {"append", CALL(f.appendToFile(a, b, 10), "")},
    {"attributes", CALL(std::to_string(f.attributes(a)))},
    {"protect", CALL(f.setAttributes(a, attribute::ReadOnly), "")},
    {"kind", CALL(std::string(f.isFolder(a) ? "d" : f.exists(a) ? "f" : "-"))},
};
// clang-format on
#undef CALL

// What a call is expected to answer: a text, or the runtime's number of its failure.
struct Answer : std::string {
    Answer(const char* text = "") : std::string(text) {}
    Answer(const std::string& text) : std::string(text) {}
    Answer(int failure) : std::string("!" + std::to_string(failure)) {}
};

// Makes the calls one after another, each answering what is expected of it.
struct Step {
    std::string call, a, b = "";
    Answer expected = "";
};
inline void run(FileSystem& files, std::initializer_list<Step> steps,
                const std::function<std::string(Path)>& onMachine) {
    for (const Step& step : steps) {
        std::string answer;
        try {
            answer = Calls.at(step.call)(files, onMachine(step.a), onMachine(step.b));
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), Failure::describe(failure.number()));
            answer = Answer(failure.number());
        }
        EXPECT_EQ(answer, step.expected) << step.call << ' ' << step.a;
    }
}

template <typename Machine> class FileSystemContract : public ::testing::Test {
protected:
    FileSystemContract() {
        run({{"mkdir", "C:\\Sager"}, {"mkdir", "C:\\Sager\\12 Ærø"}, {"write", Letter, "brev"}});
    }

    // The paths of the steps on the machine's drives.
    void run(std::initializer_list<Step> steps) {
        filesystem_contract::run(files, steps, [this](Path path) { return machine.path(path); });
    }

    Machine machine;
    FileSystem& files = machine.files;
};
TYPED_TEST_SUITE_P(FileSystemContract);

TYPED_TEST_P(FileSystemContract, FindsPathsAsWindowsReadsThem) {
    this->machine.setCurrentFolder(this->machine.path("C:\\Sager\\12 Ærø"));
    EXPECT_EQ(this->files.currentFolder(), this->machine.path("C:\\Sager\\12 Ærø"));
    EXPECT_EQ(this->files.tempFolder(), this->machine.path("C:\\Temp"));
    // Some paths from the current folder.
    // clang-format off
    this->run({
        {"kind", Letter, "", "f"}, {"kind", Letter + ". ", "", "f"}, {"kind", "D:\\", "", "d"},
        {"kind", "c:\\SAGER\\12 ærø\\brev.docx", "", "f"}, {"kind", "C:\\Sager\\", "", "d"},
        {"kind", "C:\\Sager\\..\\Sager\\.\\\\12 Ærø\\Brev.DOCX", "", "f"},
        {"kind", "C:/sager/12 ÆRØ/brev.docx", "", "f"}, {"kind", "..\\12 Ærø\\Brev.docx", "", "f"},
        {"kind", "C:\\Sager\\brev.docx", "", "-"}, {"kind", Letter + "\\x", "", "-"},
        {"kind", "Q:\\", "", "-"}, {"kind", "\\\\srv\\x", "", "-"}, {"kind", "\\Sager", "", "d"},
        {"size", "c:\\sager\\12 ærø\\brev.docx", "", "4"}, {"read", "brev.docx", "", "brev"},
        {"list", "*.docx", "", "Brev.DOCX;"},
    });
    // clang-format on
}

TYPED_TEST_P(FileSystemContract, ReportsTheRuntimesFailureNumbers) {
    const std::string S = "C:\\Sager", M = "C:\\M\\x", Kopi = "C:\\Sager\\12 Ærø\\brev.docx";
    using namespace failure;
    // clang-format off
    this->run({
        {"size", S + "\\x.doc", "", FileNotFound},       {"size", "C:\\M\\x.doc", "", PathNotFound},
        {"read", Letter + "\\x", "", PathNotFound},      {"read", "Q:\\x.doc", "", PathNotFound},
        {"write", "\\\\server\\x", "", PathNotFound},    {"read", S, "", PathFileAccessError},
        {"write", S, "", PathFileAccessError},           {"write", M, "", PathNotFound},
        {"mkdir", "C:\\sager", "", PathFileAccessError}, {"mkdir", Letter, "", PathFileAccessError},
        {"mkdir", "C:\\A\\B", "", PathNotFound},         {"rmdir", S, "", PathFileAccessError},
        {"rmtree", "C:\\M", "", FileNotFound},           {"rmtree", Letter, "", PathNotFound},
        {"rmtree", "D:\\", "", PathFileAccessError},     {"delete!", S, "", FileNotFound},
        {"delete!", "C:\\x.doc", "", FileNotFound},      {"copy", Letter, Kopi, FileAlreadyExists},
        {"copy!", Letter, S, PathFileAccessError},       {"copy!", S, "C:\\K", PathFileAccessError},
        {"copy!", "C:\\x", "C:\\y", FileNotFound},       {"copy!", Letter, M, PathNotFound},
        {"move", Letter, Letter, FileAlreadyExists},     {"move", "C:\\x", "C:\\y", FileNotFound},
        {"move", Letter, M, PathNotFound},               {"replace", "C:\\x", Letter, FileNotFound},
        {"replace", Letter, M, PathNotFound}, {"replace", Letter, S, PathFileAccessError},
        {"write", "C:\\" + std::string(256, 'n'), "", PathFileAccessError},
        {"read", Letter, "", "brev"},
    });
    // clang-format on
}

TYPED_TEST_P(FileSystemContract, KeepsBytesListsCopiesMovesReplacesAndRemoves) {
    using namespace attribute;
    using failure::PermissionDenied;
    const std::string bytes = std::string("\xC6\xF8\xE5\r\n\0x", 7), S = "C:\\Sager\\";
    // A folder moves with all it holds; an empty one goes without `recursive`.
    // clang-format off
    this->run({
        {"mkdir", S + "a b"}, {"write", S + "c.docx"}, {"write", S + "B.DOC"},
        {"write", S + "a.doc"}, {"write", S + "d.txt"}, {"write", S + "a b\\inde.doc"},
        {"list", "C:\\sager\\*.doc", "", "a.doc;B.DOC;"}, {"list", "C:\\M\\*"}, {"list", "Q:\\*"},
        {"list", "C:/Sager/?.doc*", "", "a.doc;B.DOC;c.docx;"},
        {"list", S, "", "12 Ærø;a b;a.doc;B.DOC;c.docx;d.txt;"},
        {"copy", Letter, "C:\\Kopi.docx"}, {"write", Letter, bytes},
        {"copy!", Letter, "C:\\kopi.DOCX"}, {"read", "C:\\Kopi.docx", "", bytes},
        {"move", "C:\\Kopi.docx", "D:\\Flyttet.docx"}, {"write", "D:\\ny.tmp", "nyeste"},
        {"replace", "D:\\ny.tmp", "d:\\flyttet.docx"}, {"read", "D:\\Flyttet.docx", "", "nyeste"},
        {"list", "C:\\*", "", "Sager;Temp;"}, {"list", "D:\\*", "", "Flyttet.docx;"},
        {"move", "C:\\Sager", "D:\\Arkiv"}, {"read", "D:\\Arkiv\\12 Ærø\\Brev.docx", "", bytes},
        {"mkdir", "D:\\Arkiv\\13\\"}, {"rmdir", "D:\\Arkiv\\13"}, {"mkdir", "D:\\Arkiv 2"},
        {"rmtree", "D:\\Arkiv"}, {"list", "C:\\*", "", "Temp;"},
        {"list", "D:\\*", "", "Arkiv 2;Flyttet.docx;"},
        // A file grown past the limit is emptied before the append.
        {"write", "C:\\log.txt", "xxxxxxxxxx"}, {"append", "C:\\log.txt", "a"},
        {"append", "C:\\log.txt", "b"}, {"append!", "C:\\log.txt", "c"},
        {"read", "C:\\log.txt", "", "bc"},
        // A read-only file is deleted or overwritten only when forced; a copy is
        // read-only as its original.
        {"write", "C:\\.skjult"}, {"protect", "C:\\log.txt"},
        {"attributes", "C:\\Temp", "", std::to_string(Directory)},
        {"attributes", "C:\\.skjult", "", std::to_string(Archive | Hidden)},
        {"attributes", "C:\\log.txt", "", std::to_string(Archive | ReadOnly)},
        {"delete", "C:\\log.txt", "", PermissionDenied}, {"copy", "C:\\log.txt", "C:\\kopi.txt"},
        {"copy!", "C:\\.skjult", "C:\\log.txt", PermissionDenied},
        {"delete", "C:\\kopi.txt", "", PermissionDenied}, {"delete!", "C:\\log.txt"},
        {"list", "C:\\*", "", ".skjult;kopi.txt;Temp;"},
    });
    // clang-format on
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, FindsPathsAsWindowsReadsThem,
                            ReportsTheRuntimesFailureNumbers,
                            KeepsBytesListsCopiesMovesReplacesAndRemoves);
} // namespace lexi::filesystem_contract
