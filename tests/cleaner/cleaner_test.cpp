#include "apps/lexitray-cleaner/cleaner_run.h"
#include "apps/lexitray-cleaner/document_cleaning.h"
#include "apps/lexitray-cleaner/zip_package.h"
#include "platform/failure.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/libreoffice/warm_office.h"
#include "platform/windows_command_line.h"
#include "tests/support/command_output.h"
#include "tests/support/run_program.h"

#include <cctype>
#include <cstdio>
#include <gtest/gtest.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using testing::commandOutput;
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
    return commandOutput("unzip -p '" + package.string() + "' '" + pattern + "'");
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
    const std::string names = commandOutput("unzip -Z1 '" + document.string() + "'");
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
    commandOutput("soffice -env:UserInstallation=file://" + folder.string() +
                  "/reader --headless --convert-to txt --outdir '" + folder.string() + "/text' '" +
                  document.string() + "' >/dev/null 2>&1");
    return {commandOutput(check + "'" + document.string() + "'"),
            words(readHostFile(folder / "text" / document.filename().replace_extension(".txt")))};
}

Reading readPdf(const fs::path& document, const fs::path&) {
    const std::string quoted = "'" + document.string() + "'";
    Reading reading;
    for (const std::string& command :
         {"pdfinfo " + quoted + " 2>/dev/null",
          "pdfinfo -meta " + quoted + " 2>/dev/null | grep -c xmpmeta",
          "qpdf --show-object=trailer " + quoted + " | grep -o /Info"}) {
        const std::string found = commandOutput(command);
        if (found.find(Secret) != std::string::npos || found.find("/Info") != std::string::npos ||
            (found != "0\n" && command.find("-meta") != std::string::npos)) {
            reading.secrets += command + " ";
        }
    }
    reading.text = words(commandOutput("pdftotext " + quoted + " - 2>/dev/null"));
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
        commandOutput("soffice -env:UserInstallation=file://" + home.str() +
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

// Packages crafted to hide what LibreOffice never writes, read back with
// unzip: the file names kept, and whether any file still holds a secret.
TEST(Cleaner, CraftedPackagesKeepNoHiddenFileOrComment) {
    constexpr const char* Relationships =
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    constexpr const char* Type =
        "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::vector<PackageEntry> docx = {
        {"[Content_Types].xml",
         R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/><Override PartName="/customXml/itemProps1.xml" ContentType="application/vnd.openxmlformats-officedocument.customXmlProperties+xml"/></Types>)"},
        {"_rels/.rels", std::string(Relationships) + R"(<Relationship Id="r1" Type=")" + Type +
                            R"(officeDocument" Target="word/document.xml"/></Relationships>)"},
        {"word/_rels/document.xml.rels",
         std::string(Relationships) + R"(<Relationship Id="r1" Type=")" + Type +
             R"(customXml" Target="../customXml/item1.xml"/></Relationships>)"},
        {"word/document.xml",
         R"(<?xml version="1.0"?><!-- Hemmelig udkast --><w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body><!-- Hemmelig note -->)"
         R"(<w:customXml w:element="klient"><w:customXmlPr><w:attr w:name="cpr" w:val="Hemmelig 010203-1234"/></w:customXmlPr><w:p><w:r><w:t>Synlig tekst</w:t></w:r></w:p></w:customXml>
<w:sdt><w:sdtPr><w:dataBinding w:xpath="/klient/Hemmelig" w:storeItemID="{A}"/></w:sdtPr><w:sdtContent><w:p><w:r><w:t>bundet</w:t></w:r></w:p></w:sdtContent></w:sdt></w:body></w:document>)"},
        {"customXml/item1.xml",
         "<klient><navn>Hemmelig Hansen</navn><cpr>010203-1234</cpr></klient>"},
        {"customXml/_rels/item1.xml.rels",
         std::string(Relationships) + R"(<Relationship Id="r1" Type=")" + Type +
             R"(customXmlProps" Target="itemProps1.xml"/></Relationships>)"},
        {"customXml/itemProps1.xml",
         R"(<ds:datastoreItem ds:itemID="{A}" xmlns:ds="http://schemas.openxmlformats.org/officeDocument/2006/customXml"/>)"},
    };
    const std::vector<PackageEntry> odt = {
        {"mimetype", "application/vnd.oasis.opendocument.text"},
        {"META-INF/manifest.xml",
         R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"><manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.text"/><manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/><manifest:file-entry manifest:full-path="../udenfor.txt" manifest:media-type="text/plain"/></manifest:manifest>)"},
        {"content.xml",
         R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:text><!-- Hemmelig note --><text:p>Synlig tekst</text:p></office:text></office:body></office:document-content>)"},
        {"klient.txt", "Hemmelig Hansen 010203-1234"},
        {"../klient.txt", "Hemmelig Hansen 010203-1234"},
        {"../udenfor.txt", "Hemmelig Hansen 010203-1234"},
    };
    const struct {
        const char* name;
        const std::vector<PackageEntry>& entries;
        CleanableFormat format;
        const char* kept;
        const char* mainPart;
        const char* text;
    } packages[] = {
        {"brev.docx", docx, CleanableFormat::OfficeOpenXml,
         "[Content_Types].xml _rels/.rels word/_rels/document.xml.rels word/document.xml",
         "word/document.xml", "Synlig tekst bundet"},
        {"brev.odt", odt, CleanableFormat::OpenDocument,
         "mimetype META-INF/manifest.xml content.xml", "content.xml", "Synlig tekst"},
    };
    const TempFolder folder;
    for (const auto& package : packages) {
        const fs::path source = folder.path() / ("kilde-" + std::string(package.name));
        const fs::path target = folder.path() / package.name;
        writePackage(source.string(), package.entries);
        cleanPackage(package.format, source.string(), target.string());

        std::string kept, secrets;
        std::istringstream names(commandOutput("unzip -Z1 '" + target.string() + "'"));
        for (std::string name; std::getline(names, name);) {
            kept += (kept.empty() ? "" : " ") + name;
            const std::string data = unzipped(target, name);
            for (const char* secret : {Secret, "010203", "<!--", "customXml"}) {
                if (data.find(secret) != std::string::npos) {
                    secrets += name + ": " + secret + " ";
                }
            }
        }
        EXPECT_EQ(kept, package.kept);
        EXPECT_EQ(secrets, "");
        EXPECT_EQ(words(unzipped(target, package.mainPart), true), package.text);
    }
}

// A PDF of the objects 1, 2, ... (the first its catalog), with the table that
// finds them.
std::string pdfOf(const std::vector<std::string>& objects) {
    std::string pdf = "%PDF-1.7\n";
    std::string table = "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t i = 0; i < objects.size(); ++i) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        table += entry;
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    return pdf + table + "trailer\n<< /Root 1 0 R /Size " + std::to_string(objects.size() + 1) +
           " >>\nstartxref\n" + std::to_string(pdf.size()) + "\n%%EOF\n";
}

std::string stream(const std::string& dictionary, const std::string& data) {
    return "<< " + dictionary + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
           "\nendstream";
}

// A comment with its author and pop-up, a file attached to the page and one
// to the document: all go; the link stays. Read back with qpdf.
TEST(Cleaner, ACraftedPdfLosesItsRemarksAndEmbeddedFilesAndKeepsItsLinks) {
    const TempFolder folder;
    const fs::path source = folder.path() / "kilde.pdf", target = folder.path() / "dom.pdf";
    std::ofstream(source, std::ios::binary) << pdfOf({
        "<< /Type /Catalog /Pages 2 0 R /Names << /EmbeddedFiles << /Names [(bilag.txt) 6 0 R] >> "
        ">> >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R /Resources << /Font "
        "<< /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >> /Annots [5 0 R 8 0 R "
        "9 0 R 10 0 R] >>",
        stream("", "BT /F1 24 Tf 72 700 Td (Synlig tekst) Tj ET"),
        "<< /Type /Annot /Subtype /Text /Rect [300 700 320 720] /T (Hemmelig Forfatter) /Contents "
        "(Hemmelig kommentar) /Popup 8 0 R >>",
        "<< /Type /Filespec /F (bilag.txt) /EF << /F 7 0 R >> >>",
        stream("/Type /EmbeddedFile", "Hemmelig bilag"),
        "<< /Type /Annot /Subtype /Popup /Rect [300 600 400 700] /Parent 5 0 R >>",
        "<< /Type /Annot /Subtype /FileAttachment /Rect [300 500 320 520] /FS 6 0 R /T (Hemmelig) "
        ">>",
        "<< /Type /Annot /Subtype /Link /Rect [72 690 250 720] /A << /S /URI /URI "
        "(https://ret.dk/) "
        ">> >>",
    });
    cleanPdf(source.string(), target.string());
    const std::string objects =
        commandOutput("qpdf --qdf --object-streams=disable '" + target.string() + "' -");
    EXPECT_EQ(objects.find(Secret), std::string::npos);
    EXPECT_EQ(objects.find("/EmbeddedFile"), std::string::npos);
    EXPECT_NE(objects.find("/Subtype /Link"), std::string::npos);
    EXPECT_EQ(words(commandOutput("pdftotext '" + target.string() + "' -")), "Synlig tekst");
}

// The sizes of a package's directory are judged before anything is unpacked,
// so that a package built to fill the memory is refused at once.
TEST(Cleaner, APackageThatWouldUnpackBeyondReasonIsRefusedUnread) {
    constexpr std::uint64_t MB = 1 << 20;
    const struct {
        const char* why;
        std::vector<PackedSize> files;
        const char* refusal; // in the message; empty: taken
    } cases[] = {
        {"a letter", {{3'000, 30'000}, {200'000, 210'000}}, ""},
        {"a small file packed tightly", {{100, MB}}, ""},
        {"a large file packed fifty times", {{MB / 5, 10 * MB}}, ""},
        {"a large file packed two thousand times", {{MB / 1000, 2 * MB}}, "100 gange"},
        {"files that together pass 256 MB", {{200 * MB, 200 * MB}, {60 * MB, 60 * MB}}, "256 MB"},
        {"a size no file has", {{UINT64_MAX, UINT64_MAX}, {1, 1}}, "256 MB"},
    };
    for (const auto& c : cases) {
        std::string refusal;
        try {
            checkInflation(c.files);
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), failure::PathFileAccessError) << c.why;
            refusal = failure.description();
        }
        EXPECT_EQ(refusal.empty(), std::string_view(c.refusal).empty()) << c.why << ": " << refusal;
        EXPECT_NE(refusal.find(c.refusal), std::string::npos) << c.why << ": " << refusal;
    }

    const TempFolder folder;
    const fs::path bomb = folder.path() / "bombe.docx";
    writePackage(bomb.string(), {{"word/document.xml", std::string(4 * MB, ' ')}});
    try {
        cleanPackage(CleanableFormat::OfficeOpenXml, bomb.string(),
                     (folder.path() / "renset.docx").string());
        ADD_FAILURE() << "cleaned";
    } catch (const Failure& failure) {
        EXPECT_NE(failure.description().find("100 gange"), std::string::npos);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace lexi
