#include "platform/win32/server_failure.h"

#include "platform/win32/automation_value.h"

#include <cstring>
#include <windows.h>

namespace lexi::win32 {

Failure failureOf(const std::exception& thrown, std::string source) {
    if (const auto* failed = dynamic_cast<const Failure*>(&thrown)) {
        return *failed;
    }
    return Failure(failure::AutomationError, thrown.what(), std::move(source));
}

HRESULT reportFailure(const Failure& failed, std::string_view server, REFIID interfaceId,
                      EXCEPINFO* exception) {
    const std::string source = failed.source().empty() ? std::string(server) : failed.source();
    const HRESULT result = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, failed.number());
    ICreateErrorInfo* created = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&created))) {
        BSTR description = newBstr(failed.description());
        BSTR from = newBstr(source);
        created->SetGUID(interfaceId);
        created->SetSource(from);
        created->SetDescription(description);
        SysFreeString(description);
        SysFreeString(from);
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(created->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        created->Release();
    }
    if (!exception) {
        return result;
    }
    std::memset(exception, 0, sizeof *exception);
    exception->bstrSource = newBstr(source);
    exception->bstrDescription = newBstr(failed.description());
    exception->scode = result;
    return DISP_E_EXCEPTION;
}

} // namespace lexi::win32
