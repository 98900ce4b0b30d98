#include "docprep/frm_flet.h"
#include "tests/docprep/docprep_fixture.h"

namespace lexi {
namespace {

class FrmFletTest : public testing::DocPrepFixture {
protected:
    // What the user met in the dialog shown once for "brev.docx" and answered
    // from the script, then what it stored when unloaded.
    std::string run(const std::string& script) {
        ui.addAnswers(script);
        frmFlet dialog(preparing);
        dialog.Load();
        EXPECT_TRUE(program.mergeDialogOpen);
        dialog.setName("brev.docx");
        std::string met = dialog.showModal() ? "confirmed" : "closed";
        dialog.Unload();
        EXPECT_FALSE(program.mergeDialogOpen);
        for (const script::Record& r : ui.records) {
            if (r.kind == "openfile") {
                EXPECT_EQ(r.field("filter") + " " + r.field("name"),
                          "PDF Files (*.pdf)|*.pdf *.pdf");
            }
            met += " " + (r.kind == "msgbox" ? r.field("text")
                          : r.kind == "openfile"
                              ? "openfile(" + r.field("filter") + " in " + r.field("folder") + ")" +
                                    r.field("file")
                              : r.field("event") + r.field("pdf") + r.field("control"));
        }
        met += " |";
        for (const char* name : {"PDF Template", "Use PDF", "InitDir"}) {
            std::int32_t size = 0;
            met += std::string(" ") + name + "=" +
                   registry_.ReadRegistryValue(PdfKey, name, size).value_or("-");
        }
        return met;
    }
    mdRegistry registry_{registry, ui};
};

// The refusal of a background that is not a PDF.
std::string notPdf(const std::string& path) {
    return "Baggrunden " + path +
           " er ikke en PDF-fil.\r\n\r\nVælg en PDF-fil som baggrund, eller fjern fluebenet ved "
           "\"Brug PDF baggrund\".";
}

TEST_F(FrmFletTest, LayoutsRulesMessagesKeysAndStoredValues) {
    put("Arbejde/brev_1.docx");
    put("T/brev.docx");
    put("T/falsk.pdf");
    std::ofstream(host("T/bag.pdf")) << "%PDF-1.4";
    const struct {
        const char* what;
        bool pdfWriter;
        const char* stored; // "Use PDF" and "PDF Template" before loading, when set
        std::string script;
        std::string met;
    } cases[] = {
        {"no PDF writer: PDF controls hidden, F2, F5, F6 do nothing", false, "",
         "naming F2\nnaming F5\nnaming F6\nnaming F4\nnaming OK",
         "confirmed shownhidden focuschkClean hidden | PDF Template=- Use PDF=- InitDir=-"},
        {"a name ending in pdf enables the PDF controls, another disables them", true, "",
         "naming F2\nnaming txtFilnavn brev.PDF\nnaming F2\nnaming F3\nnaming F5\n"
         "naming txtFilnavn brev.docx\nnaming F3\nnaming F1\nnaming OK",
         "confirmed showndisabled focustxtPassword focuschkUsePDFTemplate focusfldPDFTemplate "
         "focustxtFilnavn hidden | PDF Template=- Use PDF=- InitDir=-"},
        {"each validation message, checked on the cleaned name", true, "",
         "naming txtFilnavn\nnaming OK\nnaming txtFilnavn brev?1.docx\nnaming OK\n"
         "naming txtFilnavn brev\nnaming OK\nnaming txtFilnavn brev.pd\nnaming OK\nnaming close",
         "closed showndisabled Der skal angives et filnavn! Filnavnet brev_1.docx eksisterer i "
         "forvejen! Dokumentet skal have en endelse! Endelsen skal være mindst 3 karaktere f.eks: "
         "doc closed hidden | PDF Template=- Use PDF=- InitDir=-"},
        {"an emptied template stores nothing", true, "1",
         "naming chkUsePDFTemplate 0\nnaming fldPDFTemplate\nnaming OK",
         "confirmed showndisabled hidden | PDF Template=C:\\T\\a.pdf Use PDF=1 InitDir=-"},
        {"a chosen template and its folder are kept, a cancel changes nothing", true, "0",
         "naming knpLookup\nopenfile C:\\\\T\\\\b.pdf\nnaming F6\nnaming chkUsePDFTemplate "
         "1\nnaming OK",
         "confirmed showndisabled openfile(PDF Files (*.pdf)|*.pdf in )C:\\T\\b.pdf "
         "openfile(PDF Files (*.pdf)|*.pdf in C:\\T) hidden | "
         "PDF Template=C:\\T\\b.pdf Use PDF=1 InitDir=C:\\T"},
        {"a background in use must be a PDF; one that is not there is passed over", true, "",
         "naming txtFilnavn brev.pdf\nnaming chkUsePDFTemplate 1\n"
         "naming fldPDFTemplate C:\\\\T\\\\brev.docx\nnaming OK\n"
         "naming fldPDFTemplate C:\\\\T\\\\falsk.pdf\nnaming OK\n"
         "naming fldPDFTemplate C:\\\\T\\\\væk.docx\nnaming OK",
         "confirmed showndisabled " + notPdf("C:\\T\\brev.docx") + " " +
             notPdf("C:\\T\\falsk.pdf") +
             " hidden | PDF Template=C:\\T\\væk.docx Use PDF=1 InitDir=-"},
        {"a PDF background is taken", true, "",
         "naming txtFilnavn brev.pdf\nnaming chkUsePDFTemplate 1\n"
         "naming fldPDFTemplate C:\\\\T\\\\bag.pdf\nnaming OK",
         "confirmed showndisabled hidden | PDF Template=C:\\T\\bag.pdf Use PDF=1 InitDir=-"},
    };
    for (const auto& c : cases) {
        registry_.DeleteRegistryKey(PdfKey);
        if (*c.stored) {
            store("PDF Template", "C:\\T\\a.pdf");
            store("Use PDF", c.stored);
        }
        ui.records.clear();
        preparing.pdfWriterInstalled = c.pdfWriter;
        EXPECT_EQ(run(c.script), c.met) << c.what;
    }
}

} // namespace
} // namespace lexi
