#include "library/filfunc.h"
#include "tests/library/library_fixture.h"
#include "tests/support/failure_number.h"
#include "tests/support/repeated.h"

namespace lexi {
namespace {

class FilfuncTest : public testing::LibraryTest {
protected:
    FilfuncTest() { files.setMachineDrive('Z', {"Z:\\home\\jens"}); }

    Filfunc filfunc{files, ui, processes, word, library.state()};
};

TEST_F(FilfuncTest, OpretMappeCreatesWhatIsMissingAndRefusesOverlongPaths) {
    files.makeFolders("C:\\A");
    files.makeFolders("C:\\Sager");
    const std::string name255 = "C:\\Sager\\" + std::string(246, 'x');
    const std::string name256 = "C:\\Sager\\" + std::string(247, 'y');
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"C:\\A\\B", "OK", "C:\\A\\B"},
        {"C:\\A\\C\\", "OK", "C:\\A\\C"},
        // The drive compares names without regard to case: the same folder.
        {"C:\\a\\D", "OK", "C:\\A\\D"},
        {name255, "OK", name255},
        {name256, "Stinavnet er for langt", ""},
        {name255 + "\\", "OK", name255},
        {"Q:\\Sager", "Path not found", ""},
        // No drive: the current one. No drive path reaches the network.
        {"\\Ny\\", "OK", "C:\\Ny"},
        {"\\\\server\\share\\x", "Path not found", ""},
    };
    for (const auto& [path, result, made] : cases) {
        EXPECT_EQ(filfunc.OpretMappe(path), result) << path;
        if (!made.empty()) {
            EXPECT_TRUE(files.isFolder(made)) << made;
        }
    }
    EXPECT_EQ(files.list("C:\\*"), (std::vector<std::string>{"A", "Ny", "Sager", "Temp"}));
    EXPECT_EQ(files.currentFolder(), "C:\\");
}

TEST_F(FilfuncTest, KopierProtectsOnlyForReadOnlyInItsOwnCase) {
    files.putFile("C:\\Bilag\\brev.docx", "tekst");
    files.makeFolders("C:\\Sag");
    const std::vector<std::tuple<std::string, std::string, int>> cases = {
        {"ReadOnly", "beskyttet.docx", attribute::ReadOnly},
        {"readonly", "", 0},
    };
    for (auto [beskyt, filnavn, attributes] : cases) {
        std::string tilSti = "C:\\Sag";
        EXPECT_EQ(filfunc.Kopier("C:\\Bilag\\brev.docx", tilSti, beskyt, filnavn), "OK");
        EXPECT_EQ(tilSti, "C:\\Sag\\");
        EXPECT_EQ(files.attributes("C:\\Sag\\" + filnavn) & attribute::ReadOnly, attributes);
        EXPECT_EQ(filfunc.Kontrol("C:\\Sag\\" + filnavn), attributes ? "ReadOnly" : "Normal");
    }
    std::string tilSti = "C:\\Mangler";
    std::string filnavn;
    EXPECT_EQ(filfunc.Kopier("C:\\Bilag\\brev.docx", tilSti, "", filnavn), "Fejl");
    EXPECT_EQ(filnavn, "brev.docx");
}

// A mistaken path must reach neither the current folder nor its parent, a
// drive, the network nor the machine's own folders.
TEST_F(FilfuncTest, MappeSletDeletesOnlyAFolderOfTheUsersBelowADrivesRoot) {
    const std::vector<std::string> kept = {"C:\\Sag\\12\\brev.docx", "Z:\\etc\\passwd",
                                           "Z:\\home\\jens\\sag\\x"};
    for (const std::string& path : kept) {
        files.putFile(path, "x");
    }
    files.setAttributes(kept[0], attribute::ReadOnly);
    files.setCurrentFolder("C:\\Sag\\12");
    for (std::string path : {"", "\\", ".", "..", "12", "\\Sag", "C:\\", "C:\\\\", "C:\\Sag\\..\\",
                             "C:Sag", "\\\\server\\share", "Z:\\etc", "Z:\\home\\jens",
                             "Z:\\home\\jens\\sag\\..\\..", "C:\\Findes\\ikke\\"}) {
        EXPECT_EQ(filfunc.MappeSlet(path), "");
    }
    for (const std::string& path : kept) {
        EXPECT_TRUE(files.exists(path)) << path;
    }
    for (std::string gone : {"C:\\Sag\\12\\", "Z:\\home\\jens\\sag"}) {
        EXPECT_EQ(filfunc.MappeSlet(gone), "");
        EXPECT_FALSE(files.exists(gone) || gone.ends_with('\\')) << gone;
    }
}

// Replacing a file is refused where deleting a folder is.
TEST_F(FilfuncTest, KopierAndKortFilnavnReplaceNothingOutsideTheUsersFolders) {
    files.putFile("C:\\Bilag\\brev.docx", "ny");
    const std::string older[] = {"C:\\brev.docx", "Z:\\etc\\brev.docx", "C:\\Sag\\brev.docx"};
    for (const std::string& path : older) {
        files.putFile(path, "gammel");
    }
    for (std::string tilSti : {"C:\\", "Z:\\etc", "Sag", "\\Sag"}) {
        std::string filnavn;
        EXPECT_EQ(filfunc.Kopier("C:\\Bilag\\brev.docx", tilSti, "", filnavn), "Fejl") << tilSti;
    }
    for (const std::string& path : older) {
        EXPECT_EQ(files.readFile(path), "gammel") << path;
    }
    for (std::string folder : {"", "Z:\\etc", "C:\\"}) {
        EXPECT_EQ(testing::failureNumber([&] { filfunc.KortFilnavn(folder); }),
                  failure::PathFileAccessError)
            << folder;
    }
}

TEST_F(FilfuncTest, KortFilnavnPilesSuffixesOnTakenNames) {
    const std::string prefix(90, 'n');
    files.putFile("C:\\Sag\\" + prefix + std::string(30, 'a') + ".pdf", "1");
    files.putFile("C:\\Sag\\" + prefix + std::string(31, 'b') + ".pdf", "2");
    files.putFile("C:\\Sag\\" + prefix + ".pdf", "0");
    std::string folder = "C:\\Sag";
    filfunc.KortFilnavn(folder);
    EXPECT_EQ(files.list("C:\\Sag\\*"),
              (std::vector<std::string>{prefix + ".pdf", prefix + "_1.pdf", prefix + "_1_2.pdf"}));
    EXPECT_EQ(files.readFile("C:\\Sag\\" + prefix + "_1_2.pdf"), "2");
    // A name that takes its long extension along is cut to fit the drive.
    files.putFile("C:\\Sag\\brev." + testing::repeated("Ж", 125), "3");
    filfunc.KortFilnavn(folder);
    EXPECT_EQ(files.readFile("C:\\Sag\\brev." + testing::repeated("Ж", 85) + "." +
                             testing::repeated("Ж", 23)),
              "3");
}

TEST_F(FilfuncTest, FileTestsSeeOnlyNormalFiles) {
    files.makeFolders("C:\\Sag\\under.txt");
    std::string folder = "C:\\Sag";
    EXPECT_EQ(filfunc.FileExists("C:\\Sag\\*.txt"), "");
    EXPECT_EQ(filfunc.TjekMappeOmIndhold(folder), "");
    files.putFile("C:\\Sag\\brev.txt", "");
    EXPECT_EQ(filfunc.FileExists("C:\\Sag\\*.TXT"), "brev.txt");
    EXPECT_EQ(filfunc.TjekMappeOmIndhold(folder), "OK");
}

TEST_F(FilfuncTest, GetDataSourceStartsWordOnlyForDocNames) {
    EXPECT_EQ(filfunc.GetDataSource("C:\\brev.docx"), "");
    EXPECT_EQ(word.starts, 0);
    EXPECT_THROW(filfunc.GetDataSource("C:\\brev.DOC"), Failure);
    EXPECT_EQ(word.starts, 1);
}

TEST_F(FilfuncTest, DialogsAndCommandsGoThroughThePlatform) {
    ui.addAnswers("openfile C:\\\\Sag\\\\brev.docx\nfolderdialog C:\\\\Sag\n");
    std::string sti;
    EXPECT_EQ(filfunc.HentFil(sti), "C:\\Sag\\brev.docx");
    EXPECT_EQ(sti, "C:\\");
    EXPECT_EQ(filfunc.HentDir("C:\\"), "C:\\Sag");
    EXPECT_EQ(filfunc.HentDir("D:\\"), "") << "cancelled";
    EXPECT_EQ(library.state().DirStartPath, "D:\\");
    EXPECT_EQ(records[0].field("title"), "Hent Fil");
    EXPECT_TRUE(filfunc.CmdShell("C:\\x.exe /a"));
    EXPECT_EQ(processes.started.at(0).second, ShowMode::Minimized);
    EXPECT_EQ(filfunc.SpecialFolderLocation("2"), files.tempFolder());
}

} // namespace
} // namespace lexi
