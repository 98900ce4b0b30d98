#include "library/casebench_library.h"
#include "library/class_shorthand.h"
#include "library/kalender.h"
#include "library/save_outlook_mails.h"

namespace lexi {
namespace {

using namespace shorthand;

// What a Kalender object holds: its two object properties, the library's
// tables of mail headers and transferred mails, and its Outlook work.
struct KalenderControl {
    LibraryState& state;
    Platform& platform;
    Variant olApp;
    Variant fso;
    Kalender kalender;
};

KalenderControl& of(AutomationObject& self) {
    return coreOf<KalenderControl>(self);
}

Kalender& kalender(AutomationObject& self) {
    return of(self).kalender;
}

// Calls a method of one identity argument.
Variant withId(AutomationObject& self, Arguments& a,
               std::string (Kalender::*method)(const std::string&)) {
    return (kalender(self).*method)(a.text(0));
}

// Reads or assigns an object property.
Variant property(Variant& held, Arguments& a) {
    if (a.count() == 0) {
        return held;
    }
    held = a.value(0);
    return {};
}

const ClassInfo Info{
    "Kalender",
    "{0E817D98-1522-4253-BD4C-813F75C0BD06}",
    "{8C9D1C6E-C5DF-40B7-9778-263AAB698DFC}",
    "{BD6FDEFD-A239-40D4-A732-E747ADF7E727}",
    {
        {"olApp",
         FirstProperty + 0,
         Property,
         {},
         Object,
         [](AutomationObject& self, Arguments& a) {
             return property(of(self).olApp, a);
         }},
        {"fso",
         FirstProperty + 1,
         Property,
         {},
         Object,
         [](AutomationObject& self, Arguments& a) {
             return property(of(self).fso, a);
         }},
        {"TilOpgave",
         FirstMethod + 0,
         Method,
         {{"Sagsnummer", Text},
          {"Klientnummer", Text},
          {"Klientnavn", Text},
          {"Sagsbeskrivelse", Text},
          {"Aktivitet", Text},
          {"Beskrivelse", Text},
          {"Forfaldsdato", Date},
          {"ModtagerMail", Text}},
         Text,
         [](AutomationObject& self, Arguments& a) -> Variant {
             return kalender(self).TilOpgave(a.text(0), a.text(1), a.text(2), a.text(3), a.text(4),
                                             a.text(5), a.value(6).toDate(), a.text(7));
         }},
        {"VisOpgave",
         FirstMethod + 1,
         Method,
         {{"ID", Text}},
         Text,
         [](AutomationObject& self, Arguments& a) {
             return withId(self, a, &Kalender::VisOpgave);
         }},
        {"SkiftDato",
         FirstMethod + 2,
         Method,
         {{"ID", Text}, {"NyDato", Date}},
         Text,
         [](AutomationObject& self, Arguments& a) -> Variant {
             return kalender(self).SkiftDato(a.text(0), a.value(1).toDate());
         }},
        {"MarkerStatus",
         FirstMethod + 3,
         Method,
         {{"ID", Text}, {"Udført", Boolean}},
         Any,
         [](AutomationObject& self, Arguments& a) -> Variant {
             return kalender(self).MarkerStatus(a.text(0), a.boolean(1));
         }},
        {"CheckDato",
         FirstMethod + 4,
         Method,
         {{"ID", Text}},
         Text,
         [](AutomationObject& self, Arguments& a) {
             return withId(self, a, &Kalender::CheckDato);
         }},
        {"Checkstatus",
         FirstMethod + 5,
         Method,
         {{"ID", Text}},
         Text,
         [](AutomationObject& self, Arguments& a) {
             return withId(self, a, &Kalender::Checkstatus);
         }},
        {"TilKontakt",
         FirstMethod + 6,
         Method,
         {{"Navn", Text},
          {"Firmanavn", Text},
          {"Adresse1", Text},
          {"Adresse2", Text},
          {"By", Text},
          {"email", Text},
          {"telefon", Text},
          {"fax", Text},
          {"branche", Text},
          {"Vis", Boolean}},
         Text,
         [](AutomationObject& self, Arguments& a) -> Variant {
             return kalender(self).TilKontakt(a.text(0), a.text(1), a.text(2), a.text(3), a.text(4),
                                              a.text(5), a.text(6), a.text(7), a.text(8),
                                              a.boolean(9));
         }},
        {"SletOpgave",
         FirstMethod + 7,
         Method,
         {{"ID", Text}},
         Text,
         [](AutomationObject& self, Arguments& a) {
             return withId(self, a, &Kalender::SletOpgave);
         }},
        {"CheckOutlook",
         FirstMethod + 8,
         Method,
         {{"Caption", Text, Optional}},
         Boolean,
         [](AutomationObject& self, Arguments& a) {
             std::string Caption = a.given(0) ? a.text(0) : std::string();
             const bool found = kalender(self).CheckOutlook(Caption);
             if (a.given(0)) {
                 a.setText(0, std::move(Caption));
             }
             return Variant::boolean(found);
         }},
        {"GetMailPrps",
         FirstMethod + 9,
         Method,
         {{"Property", Integer}},
         Text,
         [](AutomationObject& self, Arguments& a) -> Variant {
             return of(self).state.MailPrps.at(1, a.integer(0));
         }},
        {"AnalyzeMail",
         FirstMethod + 10,
         Method,
         {{"MSGfile", Text}},
         Boolean,
         [](AutomationObject& self, Arguments& a) {
             return Variant::boolean(kalender(self).AnalyzeMail(a.text(0)));
         }},
        {"SaveOutlookMails",
         FirstMethod + 13,
         Method,
         {{"Path", Text}},
         Integer,
         [](AutomationObject& self, Arguments& a) {
             KalenderControl& control = of(self);
             return Variant::integer(SaveOutlookMails(a.text(0), control.state, control.platform));
         }},
        {"GetOlMailInfo",
         FirstMethod + 14,
         Method,
         {{"RecNr", Integer}, {"værdi", Integer}},
         Text,
         [](AutomationObject& self, Arguments& a) -> Variant {
             return of(self).state.OlMailInfo.at(a.integer(0), a.integer(1));
         }},
        {"FlushOlMailInfo",
         FirstMethod + 15,
         Method,
         {},
         Boolean,
         [](AutomationObject& self, Arguments&) {
             LibraryState& state = of(self).state;
             state.OlMailInfo.redim(1, 1);
             state.OlMailCount = 0;
             return Variant::boolean(true);
         }},
        {"FlushMailPrps",
         FirstMethod + 16,
         Method,
         {},
         Any,
         [](AutomationObject& self, Arguments&) {
             of(self).state.MailPrps.redim(1, 1);
             return Variant::boolean(true);
         }},
    }};

std::shared_ptr<AutomationObject> create(CasebenchLibrary& library) {
    return std::make_shared<ClassObject<KalenderControl>>(
        Info, KalenderControl{library.state(),
                              library.platform(),
                              {},
                              {},
                              Kalender(library.state(), library.platform())});
}

} // namespace

const LibraryClass& kalenderClass() {
    static const LibraryClass entry{Info, &create};
    return entry;
}

} // namespace lexi
