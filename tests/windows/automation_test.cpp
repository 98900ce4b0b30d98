// The automation client: its values and failures, and its calls to a server,
// the test double of Outlook.

#include "platform/outlook.h"
#include "platform/win32/automation.h"
#include "platform/win32/fake/fake_outlook.h"
#include "tests/support/failure_number.h"

#include <functional>
#include <gtest/gtest.h>

namespace lexi::win32 {
namespace {

using testing::failureNumber;

TEST(AutomationValue, KeepsTheProgramsValuesInAutomationsTypes) {
    const LocalDateTime christmas{2026, 12, 24, 14, 5, 30};
    // The value, its automation type.
    const std::pair<AutomationValue, VARTYPE> cases[] = {
        {AutomationValue(), VT_EMPTY},
        {AutomationValue("Ærø"), VT_BSTR},
        {AutomationValue(7), VT_I4},
        {AutomationValue::integer(-3), VT_I2},
        {AutomationValue(true), VT_BOOL},
        {AutomationValue(2.5), VT_R8},
        {AutomationValue(christmas), VT_DATE},
        {AutomationValue::null(), VT_NULL},
        {AutomationValue::missing(), VT_ERROR},
    };
    for (const auto& [value, type] : cases) {
        EXPECT_EQ(V_VT(&value.variant()), type);
    }
    EXPECT_EQ(V_BOOL(&AutomationValue(true).variant()), -1);
    EXPECT_EQ(AutomationValue("Ærø").text(), "Ærø");
    EXPECT_EQ(AutomationValue(christmas).date(), christmas);
    EXPECT_EQ(AutomationValue(LocalDateTime{1899, 12, 29, 18, 0, 0}).real(), -1.75);
}

TEST(AutomationValue, ReadsAsAutomationConverts) {
    // Empty reads as nothing of each type.
    const AutomationValue empty;
    EXPECT_EQ(empty.text(), "");
    EXPECT_EQ(empty.number(), 0);
    EXPECT_FALSE(empty.boolean());
    EXPECT_EQ(empty.date(), LocalDateTime{});
    EXPECT_FALSE(empty.object());

    EXPECT_EQ(AutomationValue::integer(-32768).number(), -32768);
    EXPECT_EQ(AutomationValue("12").number(), 12);
    EXPECT_TRUE(AutomationValue(-1).boolean());
    EXPECT_TRUE(AutomationValue(2).boolean());
    EXPECT_EQ(AutomationValue(true).number(), -1);
    EXPECT_EQ(AutomationValue::integer(5).text(), "5");

    // What does not convert: the runtime's numbers.
    const std::pair<int (*)(), int> failures[] = {
        {[] { return AutomationValue("tolv").number(); }, failure::TypeMismatch},
        {[] { return AutomationValue::null().number(); }, failure::InvalidUseOfNull},
        {[] { return static_cast<int>(AutomationValue::null().text().size()); },
         failure::InvalidUseOfNull},
        {[] { return AutomationValue(1e12).number(); }, failure::Overflow},
        {[] { return static_cast<int>(static_cast<bool>(AutomationValue(3).object())); },
         failure::TypeMismatch},
    };
    for (const auto& [read, number] : failures) {
        EXPECT_EQ(failureNumber(read), number);
    }
}

TEST(AutomationValue, StoresThroughAReferenceInTheVariablesType) {
    short integer = 0;
    VARIANT_BOOL flag = VARIANT_FALSE;
    BSTR text = newBstr("gammel");
    AutomationValue anything;
    VARIANT toInteger, toFlag, toText, toAnything;
    V_VT(&toInteger) = VT_BYREF | VT_I2;
    V_I2REF(&toInteger) = &integer;
    V_VT(&toFlag) = VT_BYREF | VT_BOOL;
    V_BOOLREF(&toFlag) = &flag;
    V_VT(&toText) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&toText) = &text;
    V_VT(&toAnything) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&toAnything) = &anything.variant();

    storeThrough(toInteger, AutomationValue("42").variant());
    storeThrough(toFlag, AutomationValue(true).variant());
    storeThrough(toText, AutomationValue(17).variant());
    storeThrough(toAnything, AutomationValue("ny").variant());
    EXPECT_EQ(integer, 42);
    EXPECT_EQ(flag, VARIANT_TRUE);
    EXPECT_EQ(fromBstr(text), "17");
    EXPECT_EQ(anything.text(), "ny");
    EXPECT_EQ(failureNumber([&] { storeThrough(toInteger, AutomationValue("x").variant()); }),
              failure::TypeMismatch);
    EXPECT_EQ(failureNumber([&] { storeThrough(toInteger, AutomationValue(70000).variant()); }),
              failure::Overflow);
    SysFreeString(text);
}

TEST(AutomationFailure, CarriesTheServersNumberAndDescription) {
    EXCEPINFO control{};
    control.scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 53);
    control.bstrDescription = newBstr("Filen mangler");
    control.bstrSource = newBstr("Outlook");
    EXCEPINFO own{};
    own.scode = static_cast<HRESULT>(0x8004010F);
    EXCEPINFO coded{};
    coded.wCode = 1004;
    // The answer, the exception, the number, the description, the source.
    const std::tuple<HRESULT, const EXCEPINFO*, int, const char*, const char*> cases[] = {
        {DISP_E_EXCEPTION, &control, 53, "Filen mangler", "Outlook"},
        {DISP_E_EXCEPTION, &own, -2147221233, "Automation error", "Send"},
        {DISP_E_EXCEPTION, &coded, 1004, "Application-defined or object-defined error", "Send"},
        {DISP_E_UNKNOWNNAME, nullptr, 438, "Object doesn't support this property or method",
         "Send"},
        {DISP_E_MEMBERNOTFOUND, nullptr, 438, "Object doesn't support this property or method",
         "Send"},
        {DISP_E_TYPEMISMATCH, nullptr, 13, "Type mismatch", "Send"},
        {DISP_E_BADPARAMCOUNT, nullptr, 450,
         "Wrong number of arguments or invalid property assignment", "Send"},
        {E_FAIL, nullptr, static_cast<int>(E_FAIL), "Automation error", "Send"},
    };
    for (const auto& [result, exception, number, description, source] : cases) {
        const Failure failed = automationFailure(result, exception, "Send");
        EXPECT_EQ(failed.number(), number);
        EXPECT_EQ(failed.description(), description);
        EXPECT_EQ(failed.source(), source);
    }
    SysFreeString(control.bstrDescription);
    SysFreeString(control.bstrSource);
}

TEST(DispatchObject, CannotCreateWhatIsNotRegistered) {
    EXPECT_EQ(failureNumber([] { DispatchObject::create("Lexitray.Findes.Ikke"); }),
              failure::CannotCreateObject);
    EXPECT_FALSE(DispatchObject::running("Lexitray.Findes.Ikke"));
    EXPECT_EQ(failureNumber([] { DispatchObject().get("Subject"); }), failure::ObjectNotSet);
}

// The double's application object, and a new mail of it.
struct Server {
    std::shared_ptr<fakecom::FakeMailbox> mailbox = std::make_shared<fakecom::FakeMailbox>();
    DispatchObject outlook = fakecom::newFakeOutlook(mailbox).object();
    DispatchObject mail = outlook.object("CreateItem", outlook::MailItem);
};

TEST(DispatchObject, CarriesValuesToTheServerAndBack) {
    Server server;
    const LocalDateTime due{2026, 12, 24, 14, 5, 0};
    DispatchObject task = server.outlook.object("CreateItem", outlook::TaskItem);
    task.put("DueDate", due);
    task.put("Status", AutomationValue::integer(outlook::TaskComplete));
    server.mail.put("Subject", "Sag 12 – Ærø");
    server.mail.put("Body", std::string());

    EXPECT_EQ(task.get("DueDate").date(), due);
    EXPECT_EQ(V_VT(&task.get("DueDate").variant()), VT_DATE);
    EXPECT_EQ(task.get("Status").number(), outlook::TaskComplete);
    EXPECT_EQ(server.mail.get("Subject").text(), "Sag 12 – Ærø");
    EXPECT_EQ(server.mail.get("Body").text(), "");
    EXPECT_EQ(server.mail.get("SentOn").date(), outlook::Never);
    // A Boolean comes back as -1.
    DispatchObject recipients = server.mail.object("Recipients");
    recipients.call("Add", "Anna <anna@firma.dk>");
    const AutomationValue resolved = recipients.call("ResolveAll");
    EXPECT_EQ(V_BOOL(&resolved.variant()), VARIANT_TRUE);
    EXPECT_TRUE(resolved.boolean());
    // An object that is not there reads as none.
    EXPECT_FALSE(server.outlook.object("Session").get("PickFolder").object());
}

TEST(DispatchObject, TurnsTheServersRefusalsIntoFailures) {
    Server server;
    const auto sourceAndNumber = [](auto step) -> std::pair<std::string, int> {
        try {
            step();
        } catch (const Failure& failed) {
            return {failed.source(), failed.number()};
        }
        return {};
    };
    DispatchObject task = server.outlook.object("CreateItem", outlook::TaskItem);
    // The step, the failure's source and number.
    const std::tuple<std::function<void()>, std::string, int> cases[] = {
        {[&] { task.get("HTMLBody"); }, "HTMLBody", failure::UnsupportedMember},
        {[&] { server.mail.put("Class", 1); }, "Class", failure::UnsupportedMember},
        {[&] {
             server.mail.put("Subject", AutomationValue::null());
             server.mail.get("Subject").text();
         },
         "", failure::InvalidUseOfNull},
        {[&] { server.mail.object("Attachments").call("Add", "C:\\mangler.pdf"); }, "Outlook",
         failure::AutomationError},
        {[&] { server.outlook.object("Session").object("PickFolder"); }, "PickFolder",
         failure::ObjectNotSet},
    };
    for (const auto& [step, source, number] : cases) {
        EXPECT_EQ(sourceAndNumber(step), std::make_pair(source, number)) << source;
    }
}

} // namespace
} // namespace lexi::win32
