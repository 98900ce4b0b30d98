#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "tests/library/library_fixture.h"

namespace lexi {
namespace {

using testing::LibraryTest;

// Each class's members in interface order with their dispatch identifiers,
// as the host binds to them.
TEST(FrameTest, EveryClassHasItsMembersInOrderWithTheirIdentifiers) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Casebench.Filfunc",
         "OpretMappe 60030000 HentFil 60030001 HentDir 60030002 OCXVersion 60030003 Kopier "
         "60030004 Kontrol 60030005 MappeSlet 60030006 GetDataSource 60030007 FileExists 60030008 "
         "TjekMappeOmIndhold 60030009 KortFilnavn 6003000a SpecialFolderLocation 6003000b "
         "CmdShell 6003000c "},
        {"Casebench.Kalender",
         "olApp 40030000 fso 40030001 TilOpgave 60030000 VisOpgave 60030001 SkiftDato 60030002 "
         "MarkerStatus 60030003 CheckDato 60030004 Checkstatus 60030005 TilKontakt 60030006 "
         "SletOpgave 60030007 CheckOutlook 60030008 GetMailPrps 60030009 AnalyzeMail 6003000a "
         "SaveOutlookMails 6003000d GetOlMailInfo 6003000e FlushOlMailInfo 6003000f "
         "FlushMailPrps 60030010 "},
        {"Casebench.PopUp", "ShowTextBox 60030000 GetText 60030001 InitText 60030002 PutText "
                            "60030003 "},
        {"Casebench.SupportLogin", "MakeURL 60030000 InsertURLVariable 60030004 InitURLMatrix "
                                   "60030005 SaveUserInfo 60030006 "},
        {"Casebench.RegEdit", "WriteRegKey 60030000 GetRegKey 60030001 DeleteRegKey 60030002 "},
        {"Casebench.PDFWriter", "SetPDFPrinter 60030000 SetStandardPrinter 60030001 "}};
    std::vector<std::pair<std::string, std::string>> actual;
    for (const LibraryClass& entry : CasebenchLibrary::classes()) {
        std::string members;
        for (const Member& member : entry.info.members) {
            char id[16];
            std::snprintf(id, sizeof id, "%x", static_cast<unsigned>(member.dispatchId));
            members += std::string(member.name) + " " + id + " ";
        }
        actual.emplace_back(entry.info.programmaticName(), members);
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(LibraryTest, ObjectsAreMadeByNameOrIdentityAndMembersFoundInAnyCase) {
    const auto byIdentity = create("{1D790C95-48AF-43E3-AC0C-76410F740261}");
    EXPECT_EQ(byIdentity->classInfo().name, "Filfunc");
    EXPECT_EQ(create("casebench.filfunc")->classInfo().member("ocxversion")->dispatchId,
              0x60030003);
    EXPECT_THROW(create("Casebench.Nothing"), Failure);
}

// A member changes the caller's variables: what it leaves is what the host
// sees, converted to the declared type.
TEST_F(LibraryTest, ByReferenceArgumentsComeBackChanged) {
    files.makeFolders("C:\\Sager\\12");
    auto filfunc = create("Casebench.Filfunc");
    EXPECT_EQ(call(*filfunc, "TjekMappeOmIndhold", {"C:\\Sager\\12"}), Variant(""));
    EXPECT_EQ(args[0], Variant("C:\\Sager\\12\\"));
    auto popUp = create("Casebench.PopUp");
    call(*popUp, "ShowTextBox", {"Titel", "0", Variant::real(999.6), "1000", "10"});
    EXPECT_EQ(args[2], Variant::integer(4000));
    EXPECT_EQ(args[1], Variant::integer(0)) << "converted to Integer";
}

TEST_F(LibraryTest, TwoObjectsShareTheLibrarysState) {
    auto first = create("Casebench.Kalender");
    auto second = create("Casebench.Kalender");
    call(*first, "FlushMailPrps");
    EXPECT_EQ(call(*second, "GetMailPrps", {Variant::integer(1)}), Variant(""));
    call(*first, "FlushOlMailInfo");
    EXPECT_EQ(call(*second, "GetOlMailInfo", {"1", "1"}), Variant(""));
}

struct FailureCase {
    const char* className;
    const char* member;
    std::vector<Variant> arguments;
    int number;
};

TEST_F(LibraryTest, FailuresReachTheHostWithTheRuntimesNumbers) {
    const std::vector<FailureCase> cases = {
        {"Casebench.Kalender", "GetMailPrps", {"1"}, 9},
        {"Casebench.Kalender", "GetOlMailInfo", {"1", "1"}, 9},
        {"Casebench.PopUp", "GetText", {"1"}, 9},
        {"Casebench.PopUp", "InitText", {"-1"}, 9},
        {"Casebench.PopUp", "GetText", {"en"}, 13},
        {"Casebench.PopUp", "GetText", {"40000"}, 6},
        {"Casebench.PopUp", "GetText", {}, 450},
        {"Casebench.Filfunc", "OCXVersion", {"x"}, 450},
        {"Casebench.Filfunc", "SpecialFolderLocation", {"abc"}, 13},
        {"Casebench.Filfunc", "SpecialFolderLocation", {"3"}, 5},
        {"Casebench.Filfunc", "Kontrol", {"C:\\mangler.txt"}, 53},
        {"Casebench.RegEdit", "GetRegKey", {"HKEY_CURRENT_USER\\Software\\X", "Y"}, 94},
        {"Casebench.SupportLogin", "MakeURL", {"a", "b"}, 445},
    };
    for (const FailureCase& c : cases) {
        auto object = create(c.className);
        try {
            call(*object, c.member, c.arguments);
            ADD_FAILURE() << c.member << " did not fail";
        } catch (const Failure& failed) {
            EXPECT_EQ(failed.number(), c.number) << c.member << ": " << failed.description();
        }
    }
    auto filfunc = create("Casebench.Filfunc");
    EXPECT_THROW(filfunc->invoke(0x6003000D, args), Failure) << "no such identifier";
}

} // namespace

// A library let go between SetPDFPrinter and SetStandardPrinter puts the
// default printer back as it goes; a host that ended without letting it go
// (its turn gone, the printer switched) is put back by the next loading.
TEST_F(LibraryTest, UnloadingAndLoadingPutTheDefaultPrinterBack) {
    mdRegistry module(registry, ui);
    module.WriteRegistryValue(driver::DevicesKey, PdfWriterName, "winspool,Ne00:", false);
    module.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue, "Kontor,Ne01:", false);
    const auto device = [&] {
        return readRegistryText(module, driver::WindowsKey, driver::DeviceValue) + "|" +
               readRegistryText(module, PdfWriterSettingsKey, driver::OutputFile);
    };
    auto host = std::make_unique<CasebenchLibrary>(platform);
    call(*host->create("Casebench.PDFWriter"), "SetPDFPrinter", {std::string("C:\\x.pdf")});
    EXPECT_EQ(device(), "Lexitray PDF Writer,winspool,Ne00:|C:\\x.pdf");
    host.reset();
    EXPECT_EQ(device(), "Kontor,Ne01:|");

    host = std::make_unique<CasebenchLibrary>(platform);
    call(*host->create("Casebench.PDFWriter"), "SetPDFPrinter", {std::string("C:\\x.pdf")});
    host->state().pdfWriter.turn.reset();
    CasebenchLibrary next(platform);
    EXPECT_EQ(device(), "Kontor,Ne01:|");
}

} // namespace lexi
