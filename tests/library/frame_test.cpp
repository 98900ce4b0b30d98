#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "tests/library/library_fixture.h"
#include "tests/support/failure_number.h"

namespace lexi {
namespace {

using testing::LibraryTest;

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
        {"Casebench.PopUp", "GetText", {}, 450},
        {"Casebench.Filfunc", "OCXVersion", {"x"}, 450},
        {"Casebench.Filfunc", "SpecialFolderLocation", {"3"}, 5},
        {"Casebench.Filfunc", "Kontrol", {"C:\\mangler.txt"}, 53},
        {"Casebench.RegEdit", "GetRegKey", {"HKEY_CURRENT_USER\\Software\\X", "Y"}, 94},
        {"Casebench.SupportLogin", "MakeURL", {"a", "b"}, 445},
    };
    for (const FailureCase& c : cases) {
        auto object = create(c.className);
        EXPECT_EQ(testing::failureNumber([&] { call(*object, c.member, c.arguments); }), c.number)
            << c.member;
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
