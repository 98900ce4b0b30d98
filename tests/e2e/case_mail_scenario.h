#pragma once

// The case mail, sent with one document that the user has printed to PDF, or
// closed unsent: the run log every workstation writes for it, line for line.
// One source for every build: each runs sendTheCaseMailWithAPdf and
// closeTheCaseMailUnsent on its own workstation, a type with
//   write(path, bytes)       writes a file of drive C: ("C:\tmp.txt"),
//   run(arguments, script)   runs the program to its end with the scripted UI,
//   takeLog()                the run log's bytes (taking them starts it afresh),
// with the PDF writer installed, a case folder C:\Sager\Hansen holding a
// document brev.docx that prints, and a mail window whose user does what the
// script's "mail" answers say.

#include "tests/e2e/run_log_scenario.h"
#include "tests/support/log_lines.h"
#include "tests/support/mail_log_lines.h"

#include <gtest/gtest.h>
#include <string>

namespace lexi::testing {

inline constexpr const char* CaseDocumentId = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

// The case files the case-management system leaves for a mail to the client
// with a document ID, saved in the case as C:\Sager\Hansen\Svar.msg.
template <typename Workstation> void writeTheCaseMailRequest(Workstation& workstation) {
    workstation.write(
        "C:\\tmp.txt",
        "C:\\Sager\r\nHansen\r\n2026-0042\r\nC:\\Sager\\Hansen\\Svar.msg\r\n\r\n\r\n" +
            std::string(CaseDocumentId) + "\r\n");
    workstation.write("C:\\finmail.txt", "klient@hansen.dk\r\n[subject]=Svar\r\n");
}

// Workstations differ in their temporary folder, the PDF writer's port and
// the time the PDF takes.
inline const std::string WorkFolder = R"(.*\\lexitray\\mail-[0-9]+-[0-9]+)";

// Start-up and the new mail with its recipients and subject, up to its
// attachments.
inline std::string composingLines() {
    std::string startUp;
    for (const std::string& line : runLogOf("mail", {})) {
        startUp += line + "\n";
    }
    return startUp + R"(Sender mail
Starting new instance of NaviMail Procedure
Try to get instance of outlook
No instances found , Opening up Outlook
Lokaldrevet er C:\
Det er en Outlook version 12.0.0.4518
Laver tempmappe
~Tempmappen hedder )" +
           WorkFolder + R"(
Åbner instans af Outlook
Det er ny mail
Viser mail med signatur
Henter modtagere
Indsætter vedrørende
  1 modtagere tilføjet
Henter eventuelle dokumenter til vedhæftning
)";
}

template <typename Workstation> void sendTheCaseMailWithAPdf(Workstation& workstation) {
    writeTheCaseMailRequest(workstation);
    workstation.write("C:\\findoc.txt", "C:\\Sager\\Hansen\\brev.docx\r\n");
    workstation.run({"mail"}, "naming txtFilnavn Brev.pdf\nnaming txtPassword hemmelig\n"
                              "naming OK\nmail send\n");
    EXPECT_TRUE(logIs(logLineTexts(workstation.takeLog()),
                      composingLines() + R"(Start på HentFiler
Slut på HentFiler
Start på getnames
filnavn: brev.docx
længde: 9
Slut på getnames
Start på MergeAndPrint
Forsøger at starte Word
Wrdapp aktiveres--------------------
Forsøger at sætte aktiv printer til Lexitray PDF
Aktiv printer er sat til Lexitray PDF
~Standardprinter er nu: Lexitray PDF Writer,[^,]+,Ne00:
Starter åbning af dokument
Prøver at åbne dokument C:\Sager\Hansen\brev.docx forsøg 1
Dokument åbnet C:\Sager\Hansen\brev.docx Efter 1 forsøg
Afslutter åbning af dokument
Starter udskrivning af dokument
Prøver at udskrive dokument C:\Sager\Hansen\brev.docx forsøg 1
Dokument udskrevet C:\Sager\Hansen\brev.docx Efter 1 forsøg
Afslutter udskrivning af dokument
Starter lukning af dokument
Prøver at lukke dokument C:\Sager\Hansen\brev.docx forsøg 1
Dokument lukket C:\Sager\Hansen\brev.docx Efter 1 forsøg
Afslutter lukning af dokument
Starter PDF udskrivning
~Udskrift af pdf [0-9]+ sek\.
Afslutter PDF udskrivning
Forsøger at skifte standardprinter
Slut på MergeAndPrint
Oprindeligt navn: C:\Sager\Hansen\brev.docx
~Nyt navn: )" + WorkFolder +
                          R"(\\Brev\.pdf
~Filen )" + WorkFolder + R"(\\Brev\.pdf vedhæftet
)" + DraftShownLines + sentLog("Svar", false) +
                          filedLog("", "Svar", "C:\\Sager\\Hansen\\Svar.msg", CaseDocumentId) + R"(
Slut
)"));
}

template <typename Workstation> void closeTheCaseMailUnsent(Workstation& workstation) {
    writeTheCaseMailRequest(workstation);
    workstation.run({"mail"}, "mail close\n");
    EXPECT_TRUE(logIs(logLineTexts(workstation.takeLog()),
                      composingLines() + DraftShownLines +
                          closedLog(savedLog("C:\\Sager\\Hansen\\Svar.msg", true)) + unsentLog("") +
                          R"(
Slut
)"));
}

} // namespace lexi::testing
