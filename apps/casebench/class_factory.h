#pragma once

#include "apps/casebench/com_class.h"

#include <atomic>
#include <unknwn.h>

namespace lexi::com {

// Makes the objects of one class, each with the library's shared state.
class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(const ComClass& comClass);
    ~ClassFactory();
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // A failure to make the object (Kalender without Outlook) is handed to
    // the host with its number and description.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    std::atomic<ULONG> references_{1};
    const ComClass& class_;
};

} // namespace lexi::com
