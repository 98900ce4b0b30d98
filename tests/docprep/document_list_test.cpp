#include "docprep/document_list.h"
#include "docprep/file_names.h"
#include "tests/docprep/docprep_fixture.h"
#include "tests/support/repeated.h"

namespace lexi {
namespace {

using testing::RecordingUi;
using testing::repeated;

TEST(CleanFileNameTest, EveryRunOfTheSetAndOfHyphensBecomesOneUnderscore) {
    const std::pair<const char*, const char*> cases[] = {
        {"Svar (endelig) til #kunde.docx", "Svar _endelig) til _kunde.docx"},
        {"a - b", "a _ b"},
        {"a__b a_-_b ok_navn.pdf", "a_b a_b ok_navn.pdf"},
        {"(?*\",\\<>&#~%{}+_@:/!;-x", "_x"},
        {"[a]'b=$c^d|e).Æblegrød på Ø.pdf", "[a]'b=$c^d|e).Æblegrød på Ø.pdf"},
    };
    for (const auto& [name, cleaned] : cases) {
        EXPECT_EQ(CleanFileName(name), cleaned) << name;
    }
}

class DocumentListTest : public testing::DocPrepFixture {
protected:
    // The paths listed, then "!" and each message.
    std::string listed() {
        std::string all;
        for (const MergeDocument& document : HentFiler(preparing, "C:\\Udveksling\\findoc.txt")) {
            all += document.SourcePath + "|";
        }
        for (const script::Record& r : ui.records) {
            all += "!" + r.field("text");
        }
        return all;
    }
};

std::string gone(const std::string& path) {
    return "!Filen " + path + " kan ikke findes. Navnet vil blive fjernet";
}

TEST_F(DocumentListTest, HentFilerCompletesChecksAndCompactsTheList) {
    const struct {
        const char* findoc; // nullptr: none
        const char* files;
        std::string expected;
    } cases[] = {
        {"C:\\S\\brev\r\n", "brev.docx brev.doc", "C:\\S\\brev.docx|"},
        {"C:\\S\\brev", "brev.doc", "C:\\S\\brev.doc|"},
        {"C:\\S\\gone\r\nC:\\S\\b.pdf\r\n", "b.pdf", "C:\\S\\b.pdf|" + gone("C:\\S\\gone.doc")},
        {"C:\\S\\gone.pdf\r\n C:\\S\\b.pdf\r\nhttps://x.dk/a.pdf", "b.pdf",
         "C:\\S\\gone.pdf| C:\\S\\b.pdf|https://x.dk/a.pdf|"},
        {"\r\n\r\n", "", "|" + gone(".doc") + gone(".doc")},
        {nullptr, "", "!Fejl i Hentfiler: File not found"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(host("S"));
        for (const std::string_view file : text::split(c.files, " ")) {
            put("S/" + std::string(file));
        }
        std::filesystem::remove(host("Udveksling/findoc.txt"));
        if (c.findoc) {
            writeExchangeFile("findoc.txt", c.findoc);
        }
        ui.records.clear();
        EXPECT_EQ(listed(), c.expected);
    }
    EXPECT_TRUE(logHas("Start på HentFiler\nSlut på HentFiler\nFejl i Hentfiler: File not found"));
}

std::string fields(const MergeDocument& d) {
    return d.SourceExt + "|" + d.TargetPath + "|" + d.TargetExt +
           (d.UsePDFTemplate ? "|use|" : "||") + d.PDFTemplate + "|" + d.PDFPassword +
           (d.Clean ? "|clean " : "| ");
}

TEST_F(DocumentListTest, GetNamesFillsEveryRecordAndCarriesPasswordAndTemplateOn) {
    put("T/brev.pdf");
    std::ofstream(host("T/brev.pdf")) << "%PDF-1.4";
    store("PDF Template", "C:\\T\\slettet.pdf");
    store("Use PDF", "1");
    ui.addAnswers("naming chkClean 1\nnaming txtPassword hemmelig\nnaming OK\n"
                  "naming knpLookup\nopenfile C:\\\\T\\\\brev.pdf\nnaming OK\n"
                  "naming txtFilnavn Svar #(endelig).docx\nnaming OK\nnaming txtFilnavn a.pdf\n");
    DocumentList list(3);
    list[0].SourcePath = "C:\\S\\Svar (endelig).DOCX";
    list[1].SourcePath = "C:\\S\\bilag.pdf";
    list[2].SourcePath = "https://x.dk/a.pdf";
    std::string filled;
    for (const MergeDocument& document : GetNames(list, preparing)) {
        filled += fields(document);
    }
    EXPECT_EQ(filled, "docx|C:\\Arbejde\\Svar _endelig).DOCX|docx|use||hemmelig|clean "
                      "pdf|C:\\Arbejde\\bilag.pdf|pdf|use|C:\\T\\brev.pdf|hemmelig| "
                      "pdf|C:\\Arbejde\\a.pdf|pdf|use|C:\\T\\brev.pdf|hemmelig| ");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Lexitray|16|Filnavnet Svar "
                                                      "_endelig).docx eksisterer i forvejen!"})
        << "names that clean alike are one file";
    EXPECT_TRUE(logHas("Start på getnames\nfilnavn: Svar (endelig).DOCX\nlængde: 19\n"
                       "filnavn: bilag.pdf\nlængde: 9\nSlut på getnames"));
}

TEST_F(DocumentListTest, GetNamesLeavesOutADocumentWhoseDialogIsClosedAndShowsNoneForNone) {
    DocumentList none;
    EXPECT_TRUE(GetNames(none, preparing).empty());
    ui.addAnswers("naming close\n");
    DocumentList list(1);
    list[0].SourcePath = "C:\\S\\a.docx";
    EXPECT_EQ(GetNames(list, preparing).at(0).SourcePath, "") << "the record for none";
    EXPECT_EQ(GetNames(list, preparing).size(), 1U);
    EXPECT_EQ(ui.takeEvents(), "naming:shown naming:closed naming:hidden");
}

// The file system counts bytes: a long name of Danish letters is cut before
// its extension so that it, and a file written beside it, fit.
TEST_F(DocumentListTest, GetNamesCutsANameToFitTheFileSystem) {
    ui.addAnswers("naming txtFilnavn " + repeated("æ", 150) + ".docx\nnaming OK\n");
    DocumentList list(1);
    list[0].SourcePath = "C:\\S\\a.docx";
    GetNames(list, preparing);
    EXPECT_EQ(list[0].TargetPath, "C:\\Arbejde\\" + repeated("æ", 109) + ".docx");
}

// A failure of the naming ends it with its own message; the documents not yet
// named are not attached.
TEST_F(DocumentListTest, GetNamesReportsItsOwnFailure) {
    struct NoWindows final : RecordingUi {
        std::unique_ptr<NamingDialogView> openNamingDialog(const NamingDialogContent&,
                                                           NamingDialogEvents&) override {
            throw Failure(failure::CannotCreateObject, "lexitray-qt.so");
        }
    } noWindows;
    Platform withoutWindows{registry,  settings, files,   processes, shell,
                            noWindows, clock,    outlook, word,      windowSearch};
    DocPrepContext context{withoutWindows, log, program, "C:\\Arbejde", true};
    DocumentList list(1);
    list[0].SourcePath = "C:\\S\\a.docx";
    EXPECT_EQ(GetNames(list, context).at(0).SourcePath, "") << "the record for none";
    const std::string message = "Fejl i GetNames: ActiveX component can't create object";
    EXPECT_EQ(noWindows.messages(), std::vector<std::string>{"Lexitray|0|" + message});
    EXPECT_TRUE(logHas("Start på getnames\n" + message));
}

} // namespace
} // namespace lexi
