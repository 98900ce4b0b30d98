// lexitray.exe under Wine: the run logs every build's program writes alike
// (drive C: of the build's prefix, ".docx" opened by a program that ends at
// once), and the case mail on the doubles of Outlook and Word.

#include "platform/win32/wide_text.h"
#include "tests/e2e/case_mail_scenario.h"
#include "tests/e2e/run_log_scenario.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <windows.h>

namespace lexi::testing {
namespace {

namespace fs = std::filesystem;

// A Windows path for a path of the build machine, through drive Z:.
std::wstring onDriveZ(const std::string& hostPath) {
    std::wstring path = L"Z:" + win32::toWide(hostPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::string readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A string value of HKEY_CLASSES_ROOT.
void setClassValue(const std::wstring& key, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

class WineWorkstation {
public:
    WineWorkstation() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        work_ = fs::path(temp) / ("lexitray-exe-test-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(work_);
        std::ofstream(L"C:\\brev.docx") << "brev";
        fs::remove(logFile());
        setClassValue(L".docx", L"Lexitray.TestDocument");
        setClassValue(L"Lexitray.TestDocument\\shell\\open\\command",
                      L"\"" + onDriveZ(EXITS_AT_ONCE) + L"\" \"%1\"");
        SetEnvironmentVariableW(L"LEXITRAY_UI", L"script");
        SetEnvironmentVariableW(L"LEXITRAY_UI_SCRIPT", (work_ / "script").c_str());
        SetEnvironmentVariableW(L"LEXITRAY_UI_TRANSCRIPT", (work_ / "transcript").c_str());
    }
    ~WineWorkstation() {
        if (background_) {
            TerminateProcess(background_, 1);
            CloseHandle(background_);
        }
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Lexitray.TestDocument");
        RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Lexitray.TestDocument");
        RegDeleteKeyW(HKEY_CLASSES_ROOT, L".docx");
        fs::remove_all(work_);
    }
    WineWorkstation(const WineWorkstation&) = delete;
    WineWorkstation& operator=(const WineWorkstation&) = delete;

    void write(const std::string& path, const std::string& bytes) {
        std::ofstream(fs::path(win32::toWide(path)), std::ios::binary) << bytes;
    }
    void run(const std::vector<std::string>& arguments, const std::string& script) {
        std::ofstream(work_ / "script", std::ios::binary) << script;
        const HANDLE process = launch(arguments);
        WaitForSingleObject(process, 60'000);
        CloseHandle(process);
    }
    void start(const std::vector<std::string>& arguments) {
        std::ofstream(work_ / "script", std::ios::binary).flush();
        background_ = launch(arguments);
    }
    bool backgroundEnded() { return WaitForSingleObject(background_, 20'000) == WAIT_OBJECT_0; }
    std::string peekLog() const { return readWhole(logFile()); }
    std::string takeLog() {
        std::string bytes = peekLog();
        fs::remove(logFile());
        return bytes;
    }
    Lines takeTranscript() {
        Lines events = transcriptEvents(work_ / "transcript");
        fs::remove(work_ / "transcript");
        return events;
    }

private:
    // The program with the arguments as one text, as the case-management
    // system starts it.
    static HANDLE launch(const std::vector<std::string>& arguments) {
        std::wstring commandLine = L"\"" + onDriveZ(LEXITRAY_PROGRAM) + L"\"";
        for (const std::string& argument : arguments) {
            commandLine += L" " + win32::toWide(argument);
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            ADD_FAILURE() << "lexitray.exe cannot be started: " << GetLastError();
            return nullptr;
        }
        CloseHandle(process.hThread);
        return process.hProcess;
    }

    static fs::path logFile() {
        wchar_t user[257];
        DWORD length = 257;
        GetUserNameW(user, &length);
        return fs::path(L"C:\\") / (L"Lexitray_" + std::wstring(user) + L".log");
    }

    fs::path work_;
    HANDLE background_ = nullptr;
};

TEST(RunLog, EachRequestWritesTheLinesOfEveryWorkstation) {
    WineWorkstation workstation;
    expectTheSameRunLogs(workstation);
}

// A double registered as the application of that programmatic name while it
// lives.
class FakeServerRegistered {
public:
    FakeServerRegistered(std::wstring name, std::wstring classId, const std::string& dll)
        : keys_{std::move(name), L"CLSID\\" + classId} {
        setClassValue(keys_[0] + L"\\CLSID", classId);
        setClassValue(keys_[1] + L"\\InprocServer32", onDriveZ(dll));
        RegSetKeyValueW(HKEY_CLASSES_ROOT, (keys_[1] + L"\\InprocServer32").c_str(),
                        L"ThreadingModel", REG_SZ, L"Apartment", sizeof L"Apartment");
    }
    ~FakeServerRegistered() {
        for (const std::wstring& key : keys_) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
            RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
        }
    }
    FakeServerRegistered(const FakeServerRegistered&) = delete;
    FakeServerRegistered& operator=(const FakeServerRegistered&) = delete;

private:
    std::wstring keys_[2];
};

// The double of Outlook, its user doing what `userActions` says in the mail
// windows, and the double of Word, printing on the PDF writer as its driver
// does.
class FakeOffice {
public:
    explicit FakeOffice(const wchar_t* userActions) {
        SetEnvironmentVariableW(L"LEXITRAY_FAKE_OUTLOOK_USER", userActions);
    }
    ~FakeOffice() { SetEnvironmentVariableW(L"LEXITRAY_FAKE_OUTLOOK_USER", nullptr); }
    FakeOffice(const FakeOffice&) = delete;
    FakeOffice& operator=(const FakeOffice&) = delete;

private:
    const FakeServerRegistered outlook_{L"Outlook.Application",
                                        L"{4C6E7865-0000-4F75-746C-6F6F6B446F75}", FAKE_OUTLOOK};
    const FakeServerRegistered word_{L"Word.Application", L"{4C6E7865-0000-5776-6F72-644170706C69}",
                                     FAKE_WORD};
};

// The PDF writer installed on port Ne00: while it lives.
class PdfWriterInstalled {
public:
    PdfWriterInstalled() {
        RegSetKeyValueW(HKEY_CURRENT_USER, DevicesKey, L"Lexitray PDF Writer", REG_SZ,
                        L"winspool,Ne00:", sizeof L"winspool,Ne00:");
    }
    ~PdfWriterInstalled() {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, DevicesKey, L"Lexitray PDF Writer");
    }
    PdfWriterInstalled(const PdfWriterInstalled&) = delete;
    PdfWriterInstalled& operator=(const PdfWriterInstalled&) = delete;

private:
    static constexpr const wchar_t* DevicesKey =
        L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";
};

// A case folder C:\Sager\Hansen with a document brev.docx.
class CaseMail : public ::testing::Test {
protected:
    CaseMail() {
        fs::create_directories(L"C:\\Sager\\Hansen");
        workstation.write("C:\\Sager\\Hansen\\brev.docx", "brev");
    }
    ~CaseMail() override {
        fs::remove_all(L"C:\\Sager");
        fs::remove(callbackFile());
    }

    static fs::path callbackFile() {
        return fs::path(L"C:\\Mail_" + win32::toWide(CaseDocumentId) + L".txt");
    }

    WineWorkstation workstation;
};

TEST_F(CaseMail, TheSentMailIsFoundInSentItemsSavedInTheCaseWithItsPdfAndReported) {
    const FakeOffice office(L"send");
    const PdfWriterInstalled pdfWriter;
    sendTheCaseMailWithAPdf(workstation);
    EXPECT_EQ(readWhole(callbackFile()), std::string(CaseDocumentId) + "\r\n1\r\n");
    const std::string saved = readWhole(L"C:\\Sager\\Hansen\\Svar.msg");
    EXPECT_TRUE(std::regex_search(
        saved, std::regex("\r\n\\[Attachment Brev\\.pdf, [0-9]+ bytes\\]\r\n%PDF-1\\.4\n")))
        << saved;
}

TEST_F(CaseMail, AMailClosedUnsentIsSavedInTheCase) {
    const FakeOffice office(L"close");
    closeTheCaseMailUnsent(workstation);
    EXPECT_TRUE(fs::exists(L"C:\\Sager\\Hansen\\Svar.msg"));
}

} // namespace
} // namespace lexi::testing
