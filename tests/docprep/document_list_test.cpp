#include "docprep/document_list.h"
#include "docprep/file_names.h"
#include "tests/docprep/docprep_fixture.h"

#include <algorithm>
#include <optional>

namespace lexi {
namespace {

using Strings = std::vector<std::string>;

TEST(CleanFileNameTest, EveryRunOfTheSetAndOfHyphensBecomesOneUnderscore) {
    const std::pair<const char*, const char*> cases[] = {
        {"Svar (endelig) til #kunde.docx", "Svar _endelig) til _kunde.docx"},
        {"brev:udkast?.docx", "brev_udkast_.docx"},
        {"a - b", "a _ b"},
        {"a__b", "a_b"},
        {"a_-_b", "a_b"},
        {"ok_navn.pdf", "ok_navn.pdf"},
        {"(?*\",\\<>&#~%{}+_@:/!;-x", "_x"},
        {"[a]'b=$c^d|e).pdf", "[a]'b=$c^d|e).pdf"},
        {"Æblegrød på Ø.docx", "Æblegrød på Ø.docx"},
    };
    for (const auto& [name, cleaned] : cases) {
        EXPECT_EQ(CleanFileName(name), cleaned) << name;
    }
}

class HentFilerTest : public testing::DocPrepFixture {};

TEST_F(HentFilerTest, CompletesChecksAndCompactsTheListAndAlwaysDeletesIt) {
    const std::string gone = "Lexitray|16|Filen C:\\Sager\\gone.doc kan ikke findes. Navnet vil "
                             "blive fjernet";
    const struct {
        const char* what;
        std::optional<std::string> findoc;
        Strings files;
        Strings expected;
        Strings messages;
    } cases[] = {
        {"docx first",
         "C:\\Sager\\brev\r\n",
         {"Sager/brev.docx", "Sager/brev.doc"},
         {"C:\\Sager\\brev.docx"},
         {}},
        {"then doc", "C:\\Sager\\brev", {"Sager/brev.doc"}, {"C:\\Sager\\brev.doc"}, {}},
        {"missing without extension",
         "C:\\Sager\\gone\r\nC:\\Sager\\b.pdf\r\n",
         {"Sager/b.pdf"},
         {"C:\\Sager\\b.pdf"},
         {gone}},
        {"missing with extension, untrimmed, a web address",
         "C:\\Sager\\gone.pdf\r\n C:\\Sager\\b.pdf\r\nhttps://x.dk/a.pdf\r\n",
         {"Sager/b.pdf"},
         {"C:\\Sager\\gone.pdf", " C:\\Sager\\b.pdf", "https://x.dk/a.pdf"},
         {}},
        {"blank lines",
         "\r\n\r\n",
         {},
         {""},
         Strings(2, "Lexitray|16|Filen .doc kan ikke findes. "
                    "Navnet vil blive fjernet")},
        {"all removed", "C:\\Sager\\gone\r\n", {}, {""}, {gone}},
        {"no list", std::nullopt, {}, {}, {"Lexitray|0|Fejl i Hentfiler: File not found"}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(host("Sager"));
        for (const std::string& file : c.files) {
            put(file);
        }
        if (c.findoc) {
            writeExchangeFile("findoc.txt", *c.findoc);
            std::filesystem::permissions(host("Udveksling/findoc.txt"),
                                         std::filesystem::perms::owner_read);
        }
        ui.records.clear();
        Strings paths;
        for (const MergeDocument& document : HentFiler(preparing)) {
            paths.push_back(document.SourcePath);
        }
        EXPECT_EQ(paths, c.expected) << c.what;
        EXPECT_EQ(ui.messages(), c.messages) << c.what;
        EXPECT_FALSE(std::filesystem::exists(host("Udveksling/findoc.txt"))) << c.what;
    }
    EXPECT_TRUE(logHas("Start på HentFiler\nSlut på HentFiler\nFejl i Hentfiler: File not found"));
}

class GetNamesTest : public testing::DocPrepFixture {};

std::string fields(const MergeDocument& d) {
    return d.SourceExt + "|" + d.TargetPath + "|" + d.TargetExt + "|" +
           (d.UsePDFTemplate ? "use|" : "|") + d.PDFTemplate + "|" + d.PDFPassword +
           (d.Clean ? "|clean" : "|");
}

TEST_F(GetNamesTest, FillsEveryRecordAndCarriesPasswordAndTemplateOn) {
    put("Skabeloner/brev.pdf");
    store("PDF Template", "C:\\Skabeloner\\slettet.pdf");
    store("Use PDF", "1");
    ui.addAnswers("naming chkClean 1\nnaming txtPassword hemmelig\nnaming OK\n"
                  "naming knpLookup\nopenfile C:\\\\Skabeloner\\\\brev.pdf\nnaming OK\n");
    DocumentList list(3);
    list[0].SourcePath = "C:\\Sager\\Svar (endelig).DOCX";
    list[1].SourcePath = "C:\\Sager\\bilag.pdf";
    list[2].SourcePath = "https://x.dk/a.pdf";
    GetNames(list, preparing);
    Strings filled;
    std::ranges::transform(list, std::back_inserter(filled), fields);
    EXPECT_EQ(filled,
              (Strings{"docx|C:\\Arbejde\\Svar _endelig).DOCX|docx|use||hemmelig|clean",
                       "pdf|C:\\Arbejde\\bilag.pdf|pdf|use|C:\\Skabeloner\\brev.pdf|hemmelig|",
                       "pdf|C:\\Arbejde\\a.pdf|pdf|use|C:\\Skabeloner\\brev.pdf|hemmelig|"}));
    EXPECT_TRUE(logHas("Start på getnames\nfilnavn: Svar (endelig).DOCX\nlængde: 19\n"
                       "filnavn: bilag.pdf\nlængde: 9\nSlut på getnames"));
}

TEST_F(GetNamesTest, ADialogClosedLeavesItsDocumentOutAndNoDocumentShowsNoDialog) {
    DocumentList none;
    DocumentList placeholder(1);
    EXPECT_TRUE(GetNames(none, preparing).empty());
    EXPECT_EQ(GetNames(placeholder, preparing).size(), 1U);
    EXPECT_EQ(ui.takeEvents(), "");
    ui.addAnswers("naming close\n");
    DocumentList list(1);
    list[0].SourcePath = "C:\\Sager\\a.docx";
    GetNames(list, preparing);
    EXPECT_EQ(list.size(), 1U);
    EXPECT_EQ(list[0].SourcePath, "");
    EXPECT_EQ(ui.takeEvents(), "naming:shown naming:closed naming:hidden");
}

} // namespace
} // namespace lexi
