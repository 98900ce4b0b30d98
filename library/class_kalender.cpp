#include "library/casebench_library.h"
#include "library/class_shorthand.h"
#include "library/save_outlook_mails.h"

namespace lexi {
namespace {

using namespace shorthand;

// What a Kalender object holds so far: its two object properties and the
// library's tables of mail headers and transferred mails. The Outlook
// members are listed, and fail until they are built.
struct Kalender {
    LibraryState& state;
    Platform& platform;
    Variant olApp;
    Variant fso;
};

Kalender& of(AutomationObject& self) {
    return coreOf<Kalender>(self);
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
         nullptr},
        {"VisOpgave", FirstMethod + 1, Method, {{"ID", Text}}, Text, nullptr},
        {"SkiftDato", FirstMethod + 2, Method, {{"ID", Text}, {"NyDato", Date}}, Text, nullptr},
        {"MarkerStatus",
         FirstMethod + 3,
         Method,
         {{"ID", Text}, {"Udført", Boolean}},
         Any,
         nullptr},
        {"CheckDato", FirstMethod + 4, Method, {{"ID", Text}}, Text, nullptr},
        {"Checkstatus", FirstMethod + 5, Method, {{"ID", Text}}, Text, nullptr},
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
         nullptr},
        {"SletOpgave", FirstMethod + 7, Method, {{"ID", Text}}, Text, nullptr},
        {"CheckOutlook", FirstMethod + 8, Method, {{"Caption", Text, Optional}}, Boolean, nullptr},
        {"GetMailPrps",
         FirstMethod + 9,
         Method,
         {{"Property", Integer}},
         Text,
         [](AutomationObject& self, Arguments& a) -> Variant {
             return of(self).state.MailPrps.at(1, a.integer(0));
         }},
        {"AnalyzeMail", FirstMethod + 10, Method, {{"MSGfile", Text}}, Boolean, nullptr},
        {"SaveOutlookMails",
         FirstMethod + 13,
         Method,
         {{"Path", Text}},
         Integer,
         [](AutomationObject& self, Arguments& a) {
             Kalender& kalender = of(self);
             return Variant::integer(
                 SaveOutlookMails(a.text(0), kalender.state, kalender.platform));
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
    return std::make_shared<ClassObject<Kalender>>(
        Info, Kalender{library.state(), library.platform(), {}, {}});
}

} // namespace

const LibraryClass& kalenderClass() {
    static const LibraryClass entry{Info, &create};
    return entry;
}

} // namespace lexi
