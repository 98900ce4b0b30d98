#pragma once

#include "library/library_state.h"
#include "platform/platform.h"

#include <memory>
#include <string>

namespace lexi {

// The Kalender control's Outlook work: the case's tasks (created, shown,
// re-dated, completed, read and deleted by the identity TilOpgave returned),
// contacts from the case's address data, whether Outlook's main window is
// up, and the header of a saved mail for the document register. The task
// and contact methods answer "ERROR" when anything fails; what was done
// before the failure stays done.
class Kalender {
public:
    // Takes the running Outlook, or starts it; a failure to reach it passes
    // to the caller.
    Kalender(LibraryState& state, Platform& platform);

    std::string TilOpgave(const std::string& Sagsnummer, const std::string& Klientnummer,
                          const std::string& Klientnavn, const std::string& Sagsbeskrivelse,
                          const std::string& Aktivitet, const std::string& Beskrivelse,
                          double Forfaldsdato, const std::string& ModtagerMail);
    std::string VisOpgave(const std::string& ID);
    std::string SkiftDato(const std::string& ID, double NyDato);
    std::string MarkerStatus(const std::string& ID, bool Udført);
    std::string CheckDato(const std::string& ID);
    std::string Checkstatus(const std::string& ID);
    std::string TilKontakt(const std::string& Navn, const std::string& Firmanavn,
                           const std::string& Adresse1, const std::string& Adresse2,
                           const std::string& By, const std::string& email,
                           const std::string& telefon, const std::string& fax,
                           const std::string& branche, bool Vis);
    std::string SletOpgave(const std::string& ID);
    // An empty caption becomes "Microsoft Outlook", written back.
    bool CheckOutlook(std::string& Caption);
    bool AnalyzeMail(const std::string& MSGfile);

private:
    // The stored task of that identity; fails for another kind of item.
    ItemPtr task(const std::string& ID);

    LibraryState& state_;
    WindowSearch& windows_;
    std::shared_ptr<OutlookApplication> olApp_;
};

// The received date of a mail as the register keeps it, "dd-mm-yyyy"; a
// year written with two digits is taken as 20xx.
std::string registerDate(const LocalDateTime& received);

} // namespace lexi
