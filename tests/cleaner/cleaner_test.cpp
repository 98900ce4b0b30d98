#include "apps/lexitray-cleaner/cleaner_run.h"
#include "platform/failure.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/libreoffice/warm_office.h"
#include "platform/windows_command_line.h"
#include "tests/support/run_program.h"

#include <cctype>
#include <cstdio>
#include <gtest/gtest.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using testing::readHostFile;
using testing::TempFolder;

// The command line the document preparation builds, the program's own name
// taken off.
std::vector<std::string> toolArguments(const std::string& commandLine) {
    auto arguments = splitWindowsCommandLine(commandLine);
    arguments.erase(arguments.begin());
    return arguments;
}

constexpr const char* PreparedLine =
    R"("C:\Program Files\Microsoft Office\Remove Hidden Data Tool\offrhd.exe" )"
    R"("C:\Sager\12\brev.doc" "C:\work\brev.doc"  /o /n:a /l: "h:\rhdlog.txt" /m)";

TEST(CleanerCommand, TakesThePreparedLineAndRefusesWhatItCannotCarryOut) {
    const auto prepared = parseCleanerCommand(toolArguments(PreparedLine));
    ASSERT_TRUE(prepared);
    EXPECT_EQ(prepared->source, R"(C:\Sager\12\brev.doc)");
    EXPECT_EQ(prepared->target, R"(C:\work\brev.doc)");
    EXPECT_EQ(prepared->logFile, R"(h:\rhdlog.txt)");
    EXPECT_TRUE(prepared->overwrite && prepared->quiet);
    EXPECT_EQ(parseCleanerCommand(toolArguments(R"(x a.doc b.doc /L:"c:\l og.txt")"))->logFile,
              R"(c:\l og.txt)");
    for (const char* line : {R"(x a.doc)", R"(x a.doc b.doc c.doc)", R"(x a.doc b.doc /q)",
                             R"(x a.doc b.doc /l:)", R"(x a.doc b.doc /n:c)"}) {
        EXPECT_FALSE(parseCleanerCommand(toolArguments(line))) << line;
    }
}

TEST(CleanerRun, WritesOnlyWhatItMayAndLogsWhereTheDriveTableReaches) {
    const TempFolder home;
    const posix::DriveTable drives = posix::DriveTable::forHome(home.str(), {});
    const fs::path drive = home.path() / "drive_c";
    fs::create_directories(drive);
    const struct {
        const char* why;
        std::vector<std::string> arguments;
        bool cleanerFails;
        int exit;
        const char* logLine; // in C:\log.txt, or nullptr for none
    } cases[] = {
        {"a log on a drive the table lacks is no log",
         {"C:\\a.docx", "C:\\b.docx", "/l:h:\\log"},
         false,
         Cleaned,
         nullptr},
        {"the log on drive C",
         {"C:\\a.docx", "C:\\b.docx", "/l:C:\\log.txt"},
         false,
         Cleaned,
         "Renset: C:\\a.docx til C:\\b.docx\r\n"},
        {"the cleaner's failure",
         {"C:\\a.docx", "C:\\b.docx", "/l:C:\\log.txt", "/m"},
         true,
         NotCleaned,
         "Ikke renset: C:\\a.docx: Path/File access error\r\n"},
        {"an existing target without /o",
         {"C:\\a.docx", "C:\\old.docx", "/m"},
         false,
         NotCleaned,
         nullptr},
        {"the source as its own target",
         {"C:\\a.docx", "c:\\A.DOCX", "/o", "/m"},
         false,
         NotCleaned,
         nullptr},
        {"a missing source", {"C:\\none.docx", "C:\\b.docx", "/m"}, false, NotCleaned, nullptr},
        {"a kind it does not clean", {"C:\\a.txt", "C:\\b.txt", "/m"}, false, Unsupported, nullptr},
        {"a command line it does not take", {"C:\\a.docx"}, false, BadCommand, nullptr},
    };
    for (const auto& c : cases) {
        for (const char* name : {"a.docx", "a.txt", "old.docx"}) {
            std::ofstream(drive / name) << name;
        }
        fs::remove(drive / "b.docx");
        fs::remove(drive / "log.txt");
        int calls = 0;
        const int exit =
            runCleaner(c.arguments, drives,
                       [&](CleanableFormat, const std::string& source, const std::string& target) {
                           ++calls;
                           if (c.cleanerFails) {
                               throw Failure(failure::PathFileAccessError);
                           }
                           fs::copy_file(source, target);
                       });
        EXPECT_EQ(exit, c.exit) << c.why;
        EXPECT_EQ(calls, exit == Cleaned || c.cleanerFails) << c.why;
        EXPECT_EQ(readHostFile(drive / "a.docx"), "a.docx") << c.why;
        EXPECT_EQ(readHostFile(drive / "old.docx"), "old.docx") << c.why;
        const std::string log = readHostFile(drive / "log.txt");
        EXPECT_EQ(log.size() > 20 ? log.substr(20) : log, c.logLine ? c.logLine : "") << c.why;
    }
}

// What a command prints; its exit status in `status`.
std::string output(const std::string& command, int* status = nullptr) {
    std::string text;
    FILE* pipe = ::popen(command.c_str(), "r");
    for (char buffer[4096]; std::size_t size = std::fread(buffer, 1, sizeof buffer, pipe);) {
        text.append(buffer, size);
    }
    const int result = ::pclose(pipe);
    if (status) {
        *status = WEXITSTATUS(result);
    }
    return text;
}

// Every secret the documents hold carries this word.
constexpr const char* Secret = "Hemmelig";
constexpr const char* Properties =
    R"(<office:meta><meta:initial-creator>Hemmelig Forfatter</meta:initial-creator>
<dc:creator>Hemmelig Forfatter</dc:creator><dc:title>Hemmelig titel</dc:title>
<meta:user-defined meta:name="Hemmelig nummer">Hemmelig klient</meta:user-defined></office:meta>)";
constexpr const char* Namespaces =
    R"(xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:officeooo="http://openoffice.org/2009/office" xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0" office:version="1.3")";
constexpr const char* Comment =
    "<dc:creator>Hemmelig Forfatter</dc:creator><text:p>Hemmelig kommentar</text:p>";

// A letter with an author, properties, a comment, an insertion and a deletion
// tracked, and hidden text; a sheet and a slide with a comment.
std::string flatDocument(const std::string& kind, const std::string& styles,
                         const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document " + std::string(Namespaces) +
           " office:mimetype=\"application/vnd.oasis.opendocument." + kind + "\">" + Properties +
           "<office:automatic-styles>" + styles + "</office:automatic-styles><office:body>" + body +
           "</office:body></office:document>";
}
const std::string Letter = flatDocument(
    "text",
    R"(<style:style style:name="T1" style:family="text"><style:text-properties text:display="none"/></style:style>)",
    std::string(R"(<office:text><text:tracked-changes>
<text:changed-region text:id="c1"><text:insertion><office:change-info><dc:creator>Hemmelig Forfatter</dc:creator><dc:date>2024-01-02T10:00:00</dc:date></office:change-info></text:insertion></text:changed-region>
<text:changed-region text:id="c2"><text:deletion><office:change-info><dc:creator>Hemmelig Forfatter</dc:creator><dc:date>2024-01-02T10:00:00</dc:date></office:change-info><text:p>Hemmelig sletning</text:p></text:deletion></text:changed-region>
</text:tracked-changes><text:p>Synlig start <text:change-start text:change-id="c1"/>indsat<text:change-end text:change-id="c1"/> midte<text:change text:change-id="c2"/> slut<office:annotation>)") +
        Comment +
        R"(</office:annotation>.<text:span text:style-name="T1">Hemmelig skjult</text:span></text:p></office:text>)");
const std::string Sheet = flatDocument(
    "spreadsheet", "",
    std::string(
        R"(<office:spreadsheet><table:table table:name="A"><table:table-row><table:table-cell office:value-type="string"><office:annotation>)") +
        Comment +
        "</office:annotation><text:p>Synlig "
        "celle</text:p></table:table-cell></table:table-row></table:table></office:spreadsheet>");
const std::string Slides = flatDocument(
    "presentation", "",
    std::string(
        R"(<office:presentation><draw:page draw:name="s"><draw:frame svg:x="2cm" svg:y="2cm" svg:width="9cm" svg:height="3cm"><draw:text-box><text:p>Synlig dias</text:p></draw:text-box></draw:frame><officeooo:annotation svg:x="1cm" svg:y="1cm">)") +
        Comment + "</officeooo:annotation></draw:page></office:presentation>");

// A file of a package, as unzip gives it ("[" matches itself).
std::string unzipped(const fs::path& package, const std::string& name) {
    std::string pattern;
    for (const char c : name) {
        pattern += c == '[' ? std::string("[[]") : std::string(1, c);
    }
    return output("unzip -p '" + package.string() + "' '" + pattern + "'");
}

// The words of a text, one space between them; with `markup`, without the
// XML tags.
std::string words(const std::string& text, bool markup = false) {
    std::string result;
    bool inTag = false;
    bool gap = false;
    for (const char c : text) {
        if (markup && (c == '<' || inTag)) {
            inTag = c != '>';
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            gap = !result.empty();
        } else {
            result += gap ? std::string(" ") + c : std::string(1, c);
            gap = false;
        }
    }
    return result;
}

// The independent readers' view of a document: the secrets they find in it,
// and its visible text.
struct Reading {
    std::string secrets;
    std::string text;
};
using Reader = Reading (*)(const fs::path& document, const fs::path& folder);

Reading readPackage(const fs::path& document, const std::string& mainPart) {
    Reading reading;
    const std::string names = output("unzip -Z1 '" + document.string() + "'");
    std::istringstream list(names);
    for (std::string name; std::getline(list, name);) {
        if (unzipped(document, name).find(Secret) != std::string::npos) {
            reading.secrets += name + " ";
        }
    }
    reading.text = words(unzipped(document, mainPart), true);
    return reading;
}

Reading readWord97(const fs::path& document, const fs::path& folder) {
    // The summary streams through olefile; the whole file's bytes, in both
    // encodings the format stores text in, for the rest.
    const std::string check = R"py(/usr/bin/python3 -c "
import olefile, sys
d = open(sys.argv[1], 'rb').read()
m = olefile.OleFileIO(sys.argv[1]).get_metadata()
print(*[k for k in ('author', 'last_saved_by', 'title', 'company', 'manager', 'template') if getattr(m, k)],
      'bytes' * (b'Hemmelig' in d or 'Hemmelig'.encode('utf-16-le') in d), end='')" )py";
    output("soffice -env:UserInstallation=file://" + folder.string() +
           "/reader --headless --convert-to txt --outdir '" + folder.string() + "/text' '" +
           document.string() + "' >/dev/null 2>&1");
    return {output(check + "'" + document.string() + "'"),
            words(readHostFile(folder / "text" / document.filename().replace_extension(".txt")))};
}

Reading readPdf(const fs::path& document, const fs::path&) {
    const std::string quoted = "'" + document.string() + "'";
    Reading reading;
    for (const std::string& command :
         {"pdfinfo " + quoted + " 2>/dev/null",
          "pdfinfo -meta " + quoted + " 2>/dev/null | grep -c xmpmeta",
          "qpdf --show-object=trailer " + quoted + " | grep -o /Info"}) {
        const std::string found = output(command);
        if (found.find(Secret) != std::string::npos || found.find("/Info") != std::string::npos ||
            (found != "0\n" && command.find("-meta") != std::string::npos)) {
            reading.secrets += command + " ";
        }
    }
    reading.text = words(output("pdftotext " + quoted + " - 2>/dev/null"));
    return reading;
}

TEST(Cleaner, DocumentsMadeByLibreOfficeLoseTheirHiddenDataAndKeepTheirText) {
    const TempFolder home;
    const fs::path drive = home.path() / "drive_c";
    fs::create_directories(drive / "Sager" / "12");
    fs::create_directories(drive / "work");
    for (const auto& [name, content] :
         {std::pair{"brev.fodt", Letter}, {"ark.fods", Sheet}, {"dias.fodp", Slides}}) {
        std::ofstream(home.path() / name) << content;
    }
    const struct {
        const char* source;
        const char* convertTo;
        Reader reader;
        const char* text; // the visible text, or nullptr: the source's
    } documents[] = {
        {"brev.fodt", "docx",
         [](const fs::path& d, const fs::path&) { return readPackage(d, "word/document.xml"); },
         "Synlig start indsat midte slut."},
        {"brev.fodt", "odt",
         [](const fs::path& d, const fs::path&) { return readPackage(d, "content.xml"); },
         "Synlig start indsat midte slut."},
        {"ark.fods", "xlsx",
         [](const fs::path& d, const fs::path&) { return readPackage(d, "xl/sharedStrings.xml"); },
         "Synlig celle"},
        {"dias.fodp", "pptx",
         [](const fs::path& d, const fs::path&) { return readPackage(d, "ppt/slides/slide1.xml"); },
         "Synlig dias"},
        {"brev.fodt", "doc", readWord97, "\xEF\xBB\xBFSynlig start indsat midte slut."},
        {"brev.fodt", R"(pdf:writer_pdf_Export:{"SelectPdfVersion":{"type":"long","value":"1"}})",
         readPdf, nullptr},
    };
    // LibreOffice writes each document once; the cleaner runs at the tool's
    // path, as the document preparation starts it.
    const std::map<std::string, std::string> environment = {{"LEXITRAY_HOME", home.str()}};
    ASSERT_EQ(testing::runProgram(LEXITRAY_CLEANER, {"install"}, environment, home.path()).exitCode,
              0);
    const std::string tool =
        (drive / "Program Files/Microsoft Office/Remove Hidden Data Tool/offrhd.exe").string();
    for (const auto& d : documents) {
        const std::string extension =
            std::string(d.convertTo).substr(0, std::string(d.convertTo).find(':'));
        output("soffice -env:UserInstallation=file://" + home.str() +
               "/maker --headless --convert-to '" + d.convertTo + "' --outdir '" +
               (drive / "Sager/12").string() + "' '" + (home.path() / d.source).string() +
               "' >/dev/null 2>&1");
        const fs::path source = (drive / "Sager/12" / d.source).replace_extension(extension);
        const std::string before = readHostFile(source);
        const Reading original = d.reader(source, home.path());
        ASSERT_NE(original.secrets, "") << extension << ": the document made has no secrets";

        const std::string name = source.filename().string();
        const auto run =
            testing::runProgram(tool,
                                toolArguments("x \"C:\\Sager\\12\\" + name + "\" \"C:\\work\\" +
                                              name + "\"  /o /n:a /l: \"h:\\rhdlog.txt\" /m"),
                                environment, home.path());
        EXPECT_EQ(run.exitCode, 0) << extension << run.standardError;
        const Reading cleaned = d.reader(drive / "work" / name, home.path());
        EXPECT_EQ(cleaned.secrets, "") << extension;
        EXPECT_EQ(cleaned.text, d.text ? d.text : original.text) << extension;
        EXPECT_EQ(readHostFile(source), before) << extension;
    }
    posix::WarmOffice(home.str()).endInstance();
}

} // namespace
} // namespace lexi
