#include "apps/lexitray-pdfwriter/pdf_job.h"
#include "platform/fake/memory_registry.h"
#include "platform/posix/libreoffice/cold_office.h"
#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "tests/support/command_output.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

#include <functional>
#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using Settings = std::vector<std::pair<std::string, std::string>>;

// A PDF with one page per text, each page showing its text; `described`,
// with an author, a title and XMP metadata of its own.
void makePdf(const fs::path& path, const std::vector<std::string>& texts, int height = 400,
             bool described = false) {
    QPDF pdf;
    pdf.emptyPDF();
    if (described) {
        pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(QPDFObjectHandle::parse(
                                                 "<< /Title (Hemmelig) /Author (Hemmelig) >>")));
        pdf.getRoot().replaceKey(
            "/Metadata", QPDFObjectHandle::newStream(&pdf, "<x:xmpmeta>Hemmelig</x:xmpmeta>"));
    }
    const auto font = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    for (const std::string& text : texts) {
        auto page = QPDFObjectHandle::parse(
            "<< /Type /Page /MediaBox [0 0 612 792] /Resources << /Font << >> >> >>");
        page.getKey("/Resources").getKey("/Font").replaceKey("/F1", font);
        const std::string content =
            "BT /F1 24 Tf 72 " + std::to_string(height) + " Td (" + text + ") Tj ET";
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
        QPDFPageDocumentHelper(pdf).addPage(pdf.makeIndirectObject(page), false);
    }
    QPDFWriter(pdf, path.c_str()).write();
}

// The words of every page, each page's followed by "|".
std::string pageTexts(const fs::path& pdf) {
    std::string text;
    for (const char c : testing::commandOutput("pdftotext '" + pdf.string() + "' - 2>/dev/null")) {
        if (c == '\f') {
            while (!text.empty() && text.back() == ' ') {
                text.pop_back();
            }
            text += '|';
        } else if (c != ' ' && c != '\n') {
            text += c;
        } else if (!text.empty() && text.back() != ' ' && text.back() != '|') {
            text += ' ';
        }
    }
    return text;
}

class DriverTest : public ::testing::Test {
protected:
    // Runs one job on `document` with the settings as the programs write them.
    bool print(const fs::path& document, const Settings& settings,
               const std::string& program = "soffice") {
        mdPDFWriter writer(module, ui);
        writer.ResetPDFWriter();
        for (const auto& [name, value] : settings) {
            writer.SetPDFWriterSetting(name, value);
        }
        posix::ColdOffice office((folder.path() / "profile").string(), std::chrono::seconds(60),
                                 program);
        return PdfJob(module, ui, office, drives, log).print(document.string());
    }
    std::string drivePath(const fs::path& host) { return drives.toWindows(host.string()); }

    testing::TempFolder folder;
    fs::path out = folder.path() / "brev.pdf";
    fs::path printed = folder.path() / "printed.pdf";
    fake::MemoryRegistry registry;
    testing::RecordingUi ui;
    mdRegistry module{registry, ui};
    posix::DriveTable drives = posix::DriveTable::forHome(folder.str(), {});
    fs::path logFile = folder.path() / "driver.log";
    DriverLog log{logFile.string()};
};

TEST_F(DriverTest, SecurityOpensWithThePasswordsAndKeepsTheRestrictions) {
    struct Row {
        std::string level, user, master;
        Settings restrictions;
        // What opens the PDF without a password and with the user password:
        // "closed", or the permissions print, modify, annotate, copy.
        std::string withoutPassword, withUserPassword;
    };
    const Row rows[] = {
        {"", "åben", "mnbvæuyt5678", {{"NoPrint", "1"}, {"NoCopy", "1"}}, "closed", "-ma-"},
        {"128", "", "", {{"NoModify", "1"}, {"NoComments", "1"}}, "p--c", "p--c"},
        {"40", "bruger40", "ejer40", {{"NoPrint", "1"}}, "closed", "-mac"},
    };
    makePdf(printed, {"Side"});
    for (const Row& row : rows) {
        SCOPED_TRACE("level " + row.level);
        Settings settings = {{"DisplayMode", "1"},       {"FileName", drivePath(out)},
                             {"Security", "1"},          {"Encryption", row.level},
                             {"UserPassword", row.user}, {"MasterPassword", row.master}};
        settings.insert(settings.end(), row.restrictions.begin(), row.restrictions.end());
        ASSERT_TRUE(print(printed, settings));
        const auto opens = [&](const std::string& password) {
            QPDF pdf;
            pdf.setSuppressWarnings(true);
            try {
                pdf.processFile(out.c_str(), password.c_str());
            } catch (const std::exception&) {
                return std::string("closed");
            }
            return pdf.ownerPasswordMatched() ? std::string("owner")
                                              : std::string(pdf.allowPrintHighRes() ? "p" : "-") +
                                                    (pdf.allowModifyOther() ? "m" : "-") +
                                                    (pdf.allowModifyAnnotation() ? "a" : "-") +
                                                    (pdf.allowExtractAll() ? "c" : "-");
        };
        EXPECT_EQ(opens(""), row.withoutPassword);
        EXPECT_EQ(opens(row.user), row.withUserPassword);
        EXPECT_EQ(opens(row.master), row.master.empty() ? row.withoutPassword : "owner");
        const std::string logged = testing::readHostFile(logFile);
        EXPECT_TRUE(row.user.empty() || logged.find(row.user) == std::string::npos);
        EXPECT_TRUE(row.master.empty() || logged.find(row.master) == std::string::npos);
    }
}

TEST_F(DriverTest, BackgroundUnderThePagesAndAppending) {
    struct Row {
        Settings settings;
        std::string expected;
    };
    const fs::path background = folder.path() / "brevpapir.pdf";
    makePdf(background, {"BREVPAPIR"}, 700);
    const Row rows[] = {
        // Appended after the pages of the PDF already there, else in its place.
        {{{"Append", "1"}}, "Gammel|En|To|"},
        {{}, "En|To|"},
        {{{"ApplyBackground", "1"},
          {"BackgroundSource", drivePath(background)},
          {"FirstPageOnly", "1"}},
         "BREVPAPIR En|To|"},
        {{{"ApplyBackground", "1"}, {"BackgroundSource", drivePath(background)}},
         "BREVPAPIR En|BREVPAPIR To|"},
    };
    makePdf(printed, {"En", "To"});
    for (const Row& row : rows) {
        makePdf(out, {"Gammel"});
        Settings settings = {{"DisplayMode", "1"}, {"FileName", drivePath(out)}};
        settings.insert(settings.end(), row.settings.begin(), row.settings.end());
        ASSERT_TRUE(print(printed, settings));
        EXPECT_EQ(pageTexts(out), row.expected);
    }
    // The background is drawn first, the page's own content over it.
    QPDF pdf;
    pdf.processFile(out.c_str());
    const auto first =
        QPDFPageDocumentHelper(pdf).getAllPages().front().getPageContents().front().getStreamData();
    EXPECT_TRUE(std::string(reinterpret_cast<const char*>(first->getBuffer()), first->getSize())
                    .find(" Do") != std::string::npos);
}

TEST_F(DriverTest, AJobThatCannotBeDoneLeavesNothingAndSaysWhy) {
    struct Row {
        std::string document;
        Settings settings;
        std::string program, reason;
    };
    makePdf(printed, {"En"});
    const fs::path docx = folder.path() / "brev.docx";
    std::ofstream(docx) << "PK";
    const Row rows[] = {
        {"mangler.pdf", {}, "soffice", "The document is not there"},
        {"printed.pdf",
         {{"ApplyBackground", "1"}, {"BackgroundSource", "C:\\mangler.pdf"}},
         "soffice",
         "The background is not there"},
        {"brev.docx", {}, "lexitray-no-office", "LibreOffice is not installed"},
        {"printed.pdf", {{"DisplayMode", "0"}}, "soffice", "The user chose no file name"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        Settings settings = {{"DisplayMode", "1"}, {"FileName", drivePath(out)}};
        settings.insert(settings.end(), row.settings.begin(), row.settings.end());
        EXPECT_FALSE(print(folder.path() / row.document, settings, row.program));
        EXPECT_FALSE(fs::exists(out));
        EXPECT_NE(testing::readHostFile(logFile).find(row.reason), std::string::npos);
    }
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".lexitray-work"));
    }
}

// A job handed over with a token is done only with the settings it was
// handed over with: not with another job's, nor once they are withdrawn
// (cleared after a cancel) while it converts. A job without one is done
// with the settings as they are.
TEST_F(DriverTest, AJobIsDoneOnlyWithTheSettingsItWasHandedOverWith) {
    struct StandIn final : posix::OfficeConverter {
        std::function<void()> meanwhile;
        void convertToPdf(const std::string&, const std::string& hostPdf) override {
            makePdf(hostPdf, {"Side"});
            meanwhile();
        }
    };
    const struct {
        std::string settingsToken, jobToken;
        bool withdrawn;
        std::string reason; // empty: written
    } rows[] = {
        {"t1", "t1", false, ""},
        {"", "", false, ""},
        {"t2", "t1", false, "not this job's as it starts"},
        {"t1", "t1", true, "not this job's now that its PDF is made"},
    };
    const fs::path document = folder.path() / "brev.txt";
    std::ofstream(document) << "Brev\n";
    mdPDFWriter writer(module, ui);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        fs::remove(out);
        writer.ResetPDFWriter();
        writer.SetPDFWriterSetting("DisplayMode", "1");
        writer.SetPDFWriterSetting("FileName", drivePath(out));
        if (!row.settingsToken.empty()) {
            module.WriteRegistryValue(PdfWriterSettingsKey, "JobToken", row.settingsToken, false);
        }
        StandIn office;
        office.meanwhile = [&] {
            if (row.withdrawn) {
                writer.ResetPDFWriter();
            }
        };
        EXPECT_EQ(PdfJob(module, ui, office, drives, log).print(document.string(), row.jobToken),
                  row.reason.empty());
        EXPECT_EQ(fs::exists(out), row.reason.empty());
        EXPECT_NE(testing::readHostFile(logFile).find(row.reason), std::string::npos);
    }
}

// Without a file name set the user is asked for one, the settings' name
// suggested. The PDF carries the document information the settings give and
// nothing of the printed document's own: not its author, its title or its XMP
// metadata.
TEST_F(DriverTest, TheUserNamesTheFileAndTheSettingsAloneDescribeIt) {
    makePdf(printed, {"Side"}, 400, true);
    const fs::path suggested = folder.path() / "forslag.pdf";
    ui.addAnswers("savefile " + out.string() + "\n");
    ASSERT_TRUE(print(printed, {{"FileName", drivePath(suggested)}, {"Author", "Jens Ærø"}}));
    EXPECT_EQ(ui.records.back().field("suggested"), suggested.string());
    const std::string quoted = " '" + out.string() + "'";
    EXPECT_EQ(testing::commandOutput("pdfinfo" + quoted +
                                     " | grep -E '^(Title|Subject|Keywords|Author|Creator|"
                                     "Producer|CreationDate|ModDate):' | tr -s ' '"),
              "Author: Jens Ærø\n");
    EXPECT_EQ(testing::commandOutput("pdfinfo -meta" + quoted), "");
}

} // namespace
} // namespace lexi
