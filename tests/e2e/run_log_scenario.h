#pragma once

// The requests whose run log and windows are the same on every workstation:
// start-up, the usage message, a document opened by the shell, the settings
// window, a change of local folder that leaves the program in the
// notification area, and stop ending it. One source for every build: each
// runs expectTheSameRunLogs on its own workstation, a type with
//   run(arguments, script)   runs the program to its end with the scripted UI,
//   start(arguments)         starts it in the background,
//   backgroundEnded()        whether the one started has ended (waiting a while),
//   peekLog(), takeLog()     the run log's bytes (taking them starts it afresh),
//   takeTranscript()         the scripted UI's records since the last take,
// with an empty log, no settings, and a file C:\brev.docx that the shell
// opens with a program that ends at once.

#include "tests/support/eventually.h"
#include "tests/support/log_lines.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lexi::testing {

using Lines = std::vector<std::string>;

// Start-up's lines for the command line, the separator, then the mode's.
inline Lines runLogOf(const std::string& commandLine, const Lines& modeLines) {
    Lines lines = {"Her er al kontrol overstået" + std::string(119, 'X'),
                   "cmdline er ->" + commandLine + "<-", "Version 4.13.041", "", ""};
    lines.insert(lines.end(), modeLines.begin(), modeLines.end());
    return lines;
}

template <typename Workstation> void expectTheSameRunLogs(Workstation& workstation) {
    workstation.run({"brev.docx"}, "");
    EXPECT_EQ(logLineTexts(workstation.takeLog()), runLogOf("brev.docx", {"Slut"}));
    EXPECT_EQ(workstation.takeTranscript(),
              Lines{"msgbox:Lexitray er blevet kaldt med forkert syntaks. Mulighederne er:\r"
                    "LEXITRAY <DOKUMENT> <DDEKommando>\rLEXITRAY MAIL\r"
                    "LEXITRAY drev=<lokaldrev>\rLEXITRAY"});

    workstation.run({"C:\\brev.docx", "open"}, "");
    EXPECT_EQ(logLineTexts(workstation.takeLog()),
              runLogOf("C:\\brev.docx open",
                       {"Åbner dokumentet: C:\\brev.docx  med kommandoen open",
                        "Starting procedure StartProgram with parameters Dokument C:\\brev.docx "
                        "DDEKommando openDocumentId ",
                        "StartProgram Procedure in Videre", "Slut"}));
    EXPECT_EQ(workstation.takeTranscript(), Lines{}) << "no message: the shell opened it";

    workstation.run({"setup"}, "settings CheckMailHistorik 0\nsettings OK\n");
    EXPECT_EQ(logLineTexts(workstation.takeLog()),
              runLogOf("setup", {"Viser setup-billedet", "Slut"}));
    EXPECT_EQ(workstation.takeTranscript(), (Lines{"settings:shown", "settings:closed"}));

    workstation.start({"drev=C:\\"});
    ASSERT_TRUE(eventually([&] { return logLineTexts(workstation.peekLog()).size() == 7; }));
    EXPECT_EQ(logLineTexts(workstation.takeLog()),
              runLogOf("drev=C:\\",
                       {"Sætter lokaldrevet til C:\\ og starter Lexitray i systemtray", "Slut"}));
    workstation.run({"stop"}, "");
    EXPECT_TRUE(workstation.backgroundEnded());
    EXPECT_EQ(logLineTexts(workstation.takeLog()),
              runLogOf("stop", {"Stopper alle instanser af Lexitray - og loggen lukkes hermed"}));
    EXPECT_EQ(workstation.takeTranscript(), (Lines{"tray:loaded", "tray:shown", "tray:hidden"}));
}

} // namespace lexi::testing
