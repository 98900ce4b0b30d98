#include "library/kalender.h"

#include "platform/clock.h"
#include "platform/danish_format.h"
#include "platform/failure.h"
#include "platform/text.h"

#include <exception>

namespace lexi {
namespace {

constexpr const char* Error = "ERROR";
// Outlook's main window: its class, and its title when no folder is named.
constexpr const char* OutlookWindowClass = "mspim_wnd32";
constexpr const char* OutlookTitle = "Microsoft Outlook";
// The header columns: sender and recipients are cut, a long subject is
// shortened and marked.
constexpr std::size_t NameLength = 30;
constexpr std::size_t SubjectLength = 80;
constexpr std::size_t ShortenedSubject = 75;

// Runs a task or contact method: its answer, or "ERROR" for any failure.
template <typename Steps> std::string answered(Steps steps) {
    try {
        return steps();
    } catch (const std::exception&) {
        return Error;
    }
}

std::string twoDigits(int number) {
    std::string text = std::to_string(number);
    return text.size() == 1 ? "0" + text : text;
}

} // namespace

std::string registerDate(const LocalDateTime& received) {
    std::string year = std::to_string(received.year);
    if (year.size() == 2) {
        year = "20" + year;
    }
    return twoDigits(received.day) + "-" + twoDigits(received.month) + "-" + year;
}

Kalender::Kalender(LibraryState& state, Platform& platform)
    : state_(state), windows_(platform.windows), olApp_(platform.outlook.running()) {
    if (!olApp_) {
        olApp_ = platform.outlook.start();
    }
}

ItemPtr Kalender::task(const std::string& ID) {
    ItemPtr item = olApp_->session()->getItemFromId(ID);
    if (item->itemClass() != outlook::ClassTask) {
        throw Failure(failure::TypeMismatch, "Kalender");
    }
    return item;
}

std::string Kalender::TilOpgave(const std::string& Sagsnummer, const std::string& Klientnummer,
                                const std::string& Klientnavn, const std::string& Sagsbeskrivelse,
                                const std::string& Aktivitet, const std::string& Beskrivelse,
                                double Forfaldsdato, const std::string& ModtagerMail) {
    return answered([&] {
        ItemPtr item = olApp_->createItem(outlook::TaskItem);
        item->setSubject(Sagsnummer + ": " + Beskrivelse);
        item->setBody("Sag: " + Sagsnummer + " " + Sagsbeskrivelse + "\rKlient: " + Klientnummer +
                      " " + Klientnavn + "\rAktivitet: " + Aktivitet);
        item->setDueDate(localDateOf(Forfaldsdato));
        if (!ModtagerMail.empty()) {
            // The user completes and sends the request; it is not saved here.
            item->assign();
            item->recipients().add(ModtagerMail);
            item->display(false);
            return std::string("OK");
        }
        item->save();
        return item->entryId();
    });
}

std::string Kalender::VisOpgave(const std::string& ID) {
    return answered([&] {
        task(ID)->display(false);
        return std::string("OK");
    });
}

std::string Kalender::SkiftDato(const std::string& ID, double NyDato) {
    return answered([&] {
        ItemPtr item = task(ID);
        item->setDueDate(localDateOf(NyDato));
        item->save();
        return std::string("OK");
    });
}

std::string Kalender::MarkerStatus(const std::string& ID, bool Udført) {
    return answered([&] {
        ItemPtr item = task(ID);
        item->setStatus(Udført ? outlook::TaskComplete : outlook::TaskNotStarted);
        item->save();
        return std::string("OK");
    });
}

std::string Kalender::CheckDato(const std::string& ID) {
    return answered([&] { return danish::generalDate(task(ID)->dueDate()); });
}

std::string Kalender::Checkstatus(const std::string& ID) {
    return answered([&] {
        ItemPtr item = task(ID);
        return item->status() == outlook::TaskComplete ? danish::generalDate(item->dateCompleted())
                                                       : std::string();
    });
}

std::string Kalender::TilKontakt(const std::string& Navn, const std::string& Firmanavn,
                                 const std::string& Adresse1, const std::string& Adresse2,
                                 const std::string& By, const std::string& email,
                                 const std::string& telefon, const std::string& fax,
                                 const std::string& branche, bool Vis) {
    return answered([&] {
        // The address lines are separated by a bare carriage return; an
        // empty first line still starts the address.
        std::string address = Adresse1;
        if (!Adresse2.empty()) {
            address += "\r" + Adresse2;
        }
        if (!By.empty()) {
            address += "\r" + By;
        }
        ItemPtr contact = olApp_->createItem(outlook::ContactItem);
        contact->setFullName(Navn);
        contact->setCompanyName(Firmanavn);
        contact->setBusinessAddress(address);
        contact->setEmail1Address(email);
        contact->setBusinessTelephoneNumber(telefon);
        contact->setBusinessFaxNumber(fax);
        contact->setProfession(branche);
        contact->save();
        if (Vis) {
            contact->display(false);
        }
        return std::string("OK");
    });
}

std::string Kalender::SletOpgave(const std::string& ID) {
    return answered([&] {
        task(ID)->deleteItem();
        return std::string("OK");
    });
}

bool Kalender::CheckOutlook(std::string& Caption) {
    if (Caption.empty()) {
        Caption = OutlookTitle;
    }
    return windows_.findWindow(OutlookWindowClass, Caption);
}

bool Kalender::AnalyzeMail(const std::string& MSGfile) {
    state_.MailPrps.redim(1, 5);
    const std::string extension =
        text::toLower(MSGfile.size() < 3 ? std::string_view(MSGfile)
                                         : std::string_view(MSGfile).substr(MSGfile.size() - 3));
    if (extension != "msg") {
        return false;
    }
    try {
        ItemPtr mail = olApp_->createItemFromTemplate(text::trimSpaces(MSGfile));
        if (mail->itemClass() != outlook::ClassMail) {
            return false;
        }
        state_.MailPrps.at(1, 1) = text::left(mail->senderName(), NameLength);
        state_.MailPrps.at(1, 2) = text::left(mail->to(), NameLength);
        const std::string subject = mail->subject();
        state_.MailPrps.at(1, 3) =
            text::utf16Length(subject) <= SubjectLength
                ? subject
                : std::string(text::left(subject, ShortenedSubject)) + "....";
        const LocalDateTime received = mail->receivedTime();
        state_.MailPrps.at(1, 4) = registerDate(received);
        state_.MailPrps.at(1, 5) = danish::longTime(received);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace lexi
