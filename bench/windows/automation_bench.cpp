// The automation client's cost over a bare IDispatch call, in process, on the
// double of Outlook: a mail's Subject read by name through DispatchObject
// (its member number kept), against Invoke with the number already known;
// and a folder of 1,000 mails read item by item, as finding the sent copy
// does. Prints nanoseconds per call.
//   scripts/wine-run build-win64/bench/windows/automation_bench.exe

#include "platform/outlook.h"
#include "platform/win32/automation.h"
#include "platform/win32/fake/fake_outlook.h"

#include <chrono>
#include <cstdio>

namespace {

using lexi::win32::DispatchObject;

template <typename Call> void time(const char* what, int calls, Call call) {
    call(); // the first call looks the names up
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
        call();
    }
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    std::printf("%-28s %10.0f ns per call\n", what, spent.count() / calls);
}

} // namespace

int main() {
    lexi::win32::enterAutomation();
    const auto mailbox = std::make_shared<lexi::fakecom::FakeMailbox>();
    const DispatchObject outlook = lexi::fakecom::newFakeOutlook(mailbox).object();
    const DispatchObject drafts =
        outlook.object("Session").object("GetDefaultFolder", lexi::outlook::FolderDrafts);
    for (int i = 0; i < 1000; ++i) {
        const DispatchObject mail = outlook.object("CreateItem", lexi::outlook::MailItem);
        mail.put("Subject", "Sag " + std::to_string(i));
        mail.call("Save");
    }
    const DispatchObject mail = drafts.object("Items").object("Item", 1);

    time("Subject through the client", 200000, [&] { mail.get("Subject"); });
    const DISPID subject = mail.idOf("Subject");
    time("Subject by bare Invoke", 200000, [&] {
        DISPPARAMS none{};
        VARIANT result;
        VariantInit(&result);
        mail.get()->Invoke(subject, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                           nullptr);
        VariantClear(&result);
    });
    time("a pass over 1,000 mails", 20, [&] {
        const DispatchObject items = drafts.object("Items");
        const int count = static_cast<int>(items.get("Count").number());
        for (int i = 1; i <= count; ++i) {
            items.object("Item", i).get("Subject");
        }
    });
}
