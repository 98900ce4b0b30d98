// fake_outlook.dll: the double of Outlook as an in-process automation
// server, for whole runs of lexitray.exe under Wine. One mailbox serves the
// process, as one Outlook serves a workstation. What the user does in the
// mail windows comes from LEXITRAY_FAKE_OUTLOOK_USER: words ("send",
// "close") separated by spaces.

#include "platform/win32/fake/fake_outlook.h"

#include "platform/text.h"
#include "platform/win32/wide_text.h"

#include <cstdlib>
#include <unknwn.h>

namespace lexi::fakecom {
namespace {

std::shared_ptr<FakeMailbox> processMailbox() {
    static const auto mailbox = [] {
        auto made = std::make_shared<FakeMailbox>();
        const wchar_t* user = _wgetenv(L"LEXITRAY_FAKE_OUTLOOK_USER");
        const std::string actions = user ? win32::fromWide(user) : std::string();
        for (std::string_view action : text::split(actions, " ")) {
            if (!action.empty()) {
                made->userActions.emplace_back(action);
            }
        }
        return made;
    }();
    return mailbox;
}

class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is one for the process and never goes.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        const AutomationValue application = newFakeOutlook(processMailbox());
        return V_DISPATCH(&application.variant())->QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

} // namespace
} // namespace lexi::fakecom

STDAPI DllGetClassObject(REFCLSID, REFIID iid, void** out) {
    static lexi::fakecom::Factory factory;
    return factory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() {
    return S_FALSE;
}
