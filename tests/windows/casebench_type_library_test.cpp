// casebench.ocx as a compiled client sees it: its registered type library,
// member by member against the frame's class tables, and its objects called
// by dispatch identifier. Runs after the library was registered (the
// casebench_registered fixture). CASEBENCH_OCX32, when given, is the 32-bit
// build of the library, which cannot run here but whose type library and
// version are read from its file.

#include "library/casebench_library.h"

#include <cwchar>
#include <gtest/gtest.h>
#include <objbase.h>
#include <oleauto.h>
#include <olectl.h>
#include <string>
#include <vector>

namespace lexi {
namespace {

std::wstring wide(std::string_view text) {
    return std::wstring(text.begin(), text.end()); // the frame's names are ASCII
}

GUID guidOf(std::string_view text) {
    GUID guid{};
    CLSIDFromString(wide(text).c_str(), &guid);
    return guid;
}

// Owns one reference of a COM pointer.
template <typename T> struct Ref {
    T* p = nullptr;
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() { reset(); }
    void reset() {
        if (p) {
            p->Release();
        }
        p = nullptr;
    }
    T* operator->() const { return p; }
    T** out() { return &p; }
    void** any() { return reinterpret_cast<void**>(&p); }
};

std::wstring nameOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr;
    info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

// What a type library says about one function, in the frame's words.
struct Described {
    std::wstring name;
    MEMBERID id;
    INVOKEKIND kind;
    VARTYPE result;
    // Per parameter: its type (by reference) and whether it is optional.
    std::vector<std::pair<VARTYPE, bool>> parameters;
    bool operator==(const Described&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Described& d) {
    out << std::string(d.name.begin(), d.name.end()) << " " << std::hex << d.id << std::dec
        << " kind " << d.kind << " result " << d.result << " (";
    for (const auto& [type, optional] : d.parameters) {
        out << " " << type << (optional ? " optional" : "");
    }
    return out << " )";
}

std::vector<Described> describedBy(ITypeInfo* info) {
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    std::vector<Described> all;
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
        FUNCDESC* function = nullptr;
        info->GetFuncDesc(i, &function);
        Described d{nameOf(info, function->memid),
                    function->memid,
                    function->invkind,
                    function->elemdescFunc.tdesc.vt,
                    {}};
        for (SHORT p = 0; p < function->cParams; ++p) {
            const ELEMDESC& parameter = function->lprgelemdescParam[p];
            const TYPEDESC& type = parameter.tdesc;
            const bool byReference = type.vt == VT_PTR;
            const USHORT flags = parameter.paramdesc.wParamFlags;
            d.parameters.emplace_back(byReference ? type.lptdesc->vt : type.vt,
                                      (flags & PARAMFLAG_FOPT) != 0);
            EXPECT_EQ(byReference, (flags & PARAMFLAG_FOUT) != 0)
                << "by reference is in and out: " << d;
        }
        info->ReleaseFuncDesc(function);
        all.push_back(d);
    }
    info->ReleaseTypeAttr(attributes);
    return all;
}

// The frame's members as the type library must describe them: a method by
// reference in every parameter, a property read and assigned as an object.
std::vector<Described> describedBy(const ClassInfo& info) {
    std::vector<Described> all;
    for (const Member& member : info.members) {
        const std::wstring name = wide(member.name);
        if (member.kind == MemberKind::Property) {
            const auto type = static_cast<VARTYPE>(member.result);
            all.push_back({name, member.dispatchId, INVOKE_PROPERTYGET, type, {}});
            all.push_back(
                {name, member.dispatchId, INVOKE_PROPERTYPUTREF, VT_VOID, {{type, false}}});
            continue;
        }
        Described d{name, member.dispatchId, INVOKE_FUNC, static_cast<VARTYPE>(member.result), {}};
        for (const Parameter& parameter : member.parameters) {
            d.parameters.emplace_back(static_cast<VARTYPE>(parameter.type), parameter.optional);
        }
        all.push_back(d);
    }
    return all;
}

// The type library agrees with the frame: its identity and version, each
// class with its two interfaces, and every member in order.
void expectAgreesWithFrame(ITypeLib* library) {
    TLIBATTR* attributes = nullptr;
    ASSERT_HRESULT_SUCCEEDED(library->GetLibAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(attributes->guid, guidOf(CasebenchLibrary::TypeLibraryId)));
    EXPECT_EQ(std::to_string(attributes->wMajorVerNum) + "." +
                  std::to_string(attributes->wMinorVerNum),
              CasebenchLibrary::TypeLibraryVersion);
    EXPECT_EQ(attributes->lcid, static_cast<LCID>(CasebenchLibrary::TypeLibraryLocale));
    EXPECT_TRUE(attributes->wLibFlags & LIBFLAG_FCONTROL);
    library->ReleaseTLibAttr(attributes);

    for (const LibraryClass& entry : CasebenchLibrary::classes()) {
        const ClassInfo& info = entry.info;
        SCOPED_TRACE(std::string(info.name));
        Ref<ITypeInfo> coclass, dispatch, events;
        ASSERT_HRESULT_SUCCEEDED(library->GetTypeInfoOfGuid(guidOf(info.classId), coclass.out()));
        EXPECT_EQ(nameOf(coclass.p, MEMBERID_NIL), wide(info.name));
        // The default interface, then the default source.
        for (UINT i = 0; i < 2; ++i) {
            HREFTYPE reference = 0;
            INT flags = 0;
            coclass->GetRefTypeOfImplType(i, &reference);
            coclass->GetImplTypeFlags(i, &flags);
            Ref<ITypeInfo> implemented;
            coclass->GetRefTypeInfo(reference, implemented.out());
            TYPEATTR* implementedAttributes = nullptr;
            implemented->GetTypeAttr(&implementedAttributes);
            EXPECT_TRUE(IsEqualGUID(implementedAttributes->guid,
                                    guidOf(i == 0 ? info.interfaceId : info.eventInterfaceId)));
            implemented->ReleaseTypeAttr(implementedAttributes);
            EXPECT_EQ(flags, i == 0 ? IMPLTYPEFLAG_FDEFAULT
                                    : IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
        }
        ASSERT_HRESULT_SUCCEEDED(
            library->GetTypeInfoOfGuid(guidOf(info.interfaceId), dispatch.out()));
        EXPECT_EQ(nameOf(dispatch.p, MEMBERID_NIL), L"_" + wide(info.name));
        EXPECT_EQ(describedBy(dispatch.p), describedBy(info));
        ASSERT_HRESULT_SUCCEEDED(
            library->GetTypeInfoOfGuid(guidOf(info.eventInterfaceId), events.out()));
        EXPECT_EQ(nameOf(events.p, MEMBERID_NIL), L"__" + wide(info.name));
        EXPECT_TRUE(describedBy(events.p).empty()) << "the event interface declares no events";
    }
}

class CasebenchOcxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }

    // An object of the registered library, by programmatic name.
    HRESULT create(const wchar_t* name, Ref<IDispatch>& object) {
        CLSID classId{};
        CLSIDFromProgID(name, &classId);
        return CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                object.any());
    }

    // Calls a member of the object by identifier, its arguments in order.
    HRESULT invoke(IDispatch* object, DISPID id, std::vector<VARIANT> arguments, VARIANT* result,
                   EXCEPINFO* exception = nullptr) {
        std::vector<VARIANT> lastFirst(arguments.rbegin(), arguments.rend());
        DISPPARAMS parameters{lastFirst.data(), nullptr, static_cast<UINT>(lastFirst.size()), 0};
        EXCEPINFO ignored{};
        return object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &parameters, result,
                              exception ? exception : &ignored, nullptr);
    }
};

TEST_F(CasebenchOcxTest, TheRegisteredTypeLibraryDescribesEveryMemberOfTheFrame) {
    Ref<ITypeLib> library;
    ASSERT_HRESULT_SUCCEEDED(LoadRegTypeLib(guidOf(CasebenchLibrary::TypeLibraryId), 78, 2,
                                            CasebenchLibrary::TypeLibraryLocale, library.out()));
    expectAgreesWithFrame(library.p);
}

// The library files of both bitnesses, as Windows paths.
std::vector<std::wstring> libraryFiles() {
    std::vector<std::wstring> files = {L"Z:" + wide(CASEBENCH_OCX)};
#ifdef CASEBENCH_OCX32
    files.push_back(L"Z:" + wide(CASEBENCH_OCX32));
#endif
    return files;
}

TEST(CasebenchVersionTest, BothLibrariesCarryTheirVersionAndTheSelfRegistrationMark) {
    for (const std::wstring& file : libraryFiles()) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        std::vector<BYTE> block(GetFileVersionInfoSizeW(file.c_str(), nullptr));
        ASSERT_FALSE(block.empty());
        ASSERT_TRUE(
            GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
        void* data = nullptr;
        UINT size = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &data, &size));
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
        EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(12, 5));
        EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(6, 0));
        const std::pair<const wchar_t*, const wchar_t*> strings[] = {
            {L"ProductName", L"CasebenchOCX"},
            {L"InternalName", L"casebench"},
            {L"OriginalFilename", L"casebench.ocx"},
            {L"OLESelfRegister", L""}};
        for (const auto& [name, value] : strings) {
            const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
            ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), &data, &size))
                << "no " << std::string(name, name + std::wcslen(name));
            EXPECT_STREQ(static_cast<const wchar_t*>(data), value);
        }
    }
}

TEST_F(CasebenchOcxTest, TheThirtyTwoBitLibraryCarriesTheSameTypeLibrary) {
#ifdef CASEBENCH_OCX32
    const std::wstring path = L"Z:" + wide(CASEBENCH_OCX32);
    Ref<ITypeLib> library;
    ASSERT_HRESULT_SUCCEEDED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.out()));
    TLIBATTR* attributes = nullptr;
    library->GetLibAttr(&attributes);
    EXPECT_EQ(attributes->syskind, SYS_WIN32);
    library->ReleaseTLibAttr(attributes);
    expectAgreesWithFrame(library.p);
#else
    GTEST_SKIP() << "no 32-bit build given (CASEBENCH_OCX32)";
#endif
}

TEST_F(CasebenchOcxTest, MembersAreCalledByIdentifierWithVariablesWrittenBack) {
    Ref<IDispatch> filfunc;
    ASSERT_HRESULT_SUCCEEDED(create(L"Casebench.Filfunc", filfunc));
    VARIANT result;
    ASSERT_HRESULT_SUCCEEDED(invoke(filfunc.p, 0x60030003, {}, &result));
    EXPECT_EQ(V_VT(&result), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&result), L"5.12.006 XP");
    VariantClear(&result);

    // TjekMappeOmIndhold normalises its folder: a typed variable (as a
    // compiled host passes it) and a variant variable both take the change.
    BSTR typed = SysAllocString(L"C:\\windows");
    VARIANT untyped;
    V_VT(&untyped) = VT_BSTR;
    V_BSTR(&untyped) = SysAllocString(L"C:\\windows");
    VARIANT byTyped, byVariant;
    V_VT(&byTyped) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&byTyped) = &typed;
    V_VT(&byVariant) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byVariant) = &untyped;
    ASSERT_HRESULT_SUCCEEDED(invoke(filfunc.p, 0x60030009, {byTyped}, &result));
    ASSERT_HRESULT_SUCCEEDED(invoke(filfunc.p, 0x60030009, {byVariant}, &result));
    EXPECT_STREQ(typed, L"C:\\windows\\");
    EXPECT_STREQ(V_BSTR(&untyped), L"C:\\windows\\");
    SysFreeString(typed);
    VariantClear(&untyped);
    VariantClear(&result);
}

// A compiled host reads a failure from the exception information and from
// the thread's error object; scripts see only the first (the suites check
// its numbers and texts).
TEST_F(CasebenchOcxTest, FailuresReachCompiledHostsThroughTheErrorObjectToo) {
    Ref<IDispatch> popUp;
    ASSERT_HRESULT_SUCCEEDED(create(L"Casebench.PopUp", popUp));
    VARIANT left;
    V_VT(&left) = VT_ERROR;
    V_ERROR(&left) = DISP_E_PARAMNOTFOUND;
    // A required argument left out; no such identifier.
    for (const auto& [id, arguments, number] :
         {std::tuple(0x60030001, std::vector{left}, 450),
          std::tuple(0x60030009, std::vector<VARIANT>{}, 438)}) {
        VARIANT result;
        EXCEPINFO exception{};
        EXPECT_EQ(invoke(popUp.p, id, arguments, &result, &exception), DISP_E_EXCEPTION);
        EXPECT_EQ(exception.scode, MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number));
        EXPECT_STREQ(exception.bstrSource, L"PopUp");
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
    }
    Ref<ISupportErrorInfo> supports;
    ASSERT_HRESULT_SUCCEEDED(popUp->QueryInterface(IID_ISupportErrorInfo, supports.any()));
    EXPECT_EQ(supports->InterfaceSupportsErrorInfo(IID_IDispatch), S_OK);
    Ref<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, error.out()), S_OK);
    BSTR description = nullptr;
    error->GetDescription(&description);
    EXPECT_STREQ(description, L"Object doesn't support this property or method");
    SysFreeString(description);
}

// Listens to an event interface, as a container does.
class Listener final : public IUnknown {
public:
    explicit Listener(REFIID events) : events_(events) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, events_) ? this : nullptr;
        return *out ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;

private:
    IID events_;
};

TEST_F(CasebenchOcxTest, ObjectsNameTheirClassTakeListenersAndKeepTheLibraryLoaded) {
    const ClassInfo& info = CasebenchLibrary::classes().front().info;
    Ref<IDispatch> filfunc;
    ASSERT_HRESULT_SUCCEEDED(create(L"Casebench.Filfunc", filfunc));
    Ref<IProvideClassInfo> provides;
    Ref<ITypeInfo> coclass;
    ASSERT_HRESULT_SUCCEEDED(filfunc->QueryInterface(IID_IProvideClassInfo, provides.any()));
    ASSERT_HRESULT_SUCCEEDED(provides->GetClassInfo(coclass.out()));
    EXPECT_EQ(nameOf(coclass.p, MEMBERID_NIL), L"Filfunc");

    Ref<IConnectionPointContainer> container;
    Ref<IConnectionPoint> point;
    ASSERT_HRESULT_SUCCEEDED(
        filfunc->QueryInterface(IID_IConnectionPointContainer, container.any()));
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, point.out()), CONNECT_E_NOCONNECTION);
    const IID events = guidOf(info.eventInterfaceId);
    ASSERT_HRESULT_SUCCEEDED(container->FindConnectionPoint(events, point.out()));
    Listener listener(events), stranger(IID_IDispatch);
    DWORD cookie = 0;
    EXPECT_EQ(point->Advise(&stranger, &cookie), CONNECT_E_CANNOTCONNECT);
    ASSERT_HRESULT_SUCCEEDED(point->Advise(&listener, &cookie));
    EXPECT_EQ(listener.references, 2u) << "held while connected";
    EXPECT_HRESULT_SUCCEEDED(point->Unadvise(cookie));
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(listener.references, 1u);

    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    const auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"casebench.ocx"), "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    point.reset();
    container.reset();
    provides.reset();
    filfunc.reset();
    EXPECT_EQ(canUnload(), S_OK);
}

} // namespace
} // namespace lexi
