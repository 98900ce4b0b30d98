// What cleaning a 50-page .docx costs, set against LibreOffice loading and
// saving the same file alone (`soffice --headless --convert-to docx`, one
// program run), side by side in one run. The letter has on every page a
// comment, a tracked insertion and deletion and hidden text; LibreOffice makes
// it in the set-up. Counters: clean_ms (the cleaning in-process), program_ms
// (the cleaner program started at the tool's path, as the mail's preparation
// starts it), alone_ms, and program_over_alone.

#include "apps/lexitray-cleaner/document_cleaning.h"
#include "apps/lexitray-cleaner/tool_install.h"
#include "bench/quiet_program.h"
#include "platform/posix/drive_table.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* Page =
    R"(<text:h text:style-name="P1">Afsnit %</text:h><text:p>Som aftalt sender vi hermed )"
    R"(<text:change-start text:change-id="i%"/>det reviderede <text:change-end text:change-id="i%"/>)"
    R"(udkast til forlig.<text:change text:change-id="d%"/><office:annotation><dc:creator>Jens )"
    R"(Advokat</dc:creator><text:p>Tjek beløbet med klienten.</text:p></office:annotation>)"
    R"(<text:span text:style-name="T1"> Intern note om forhandlingen.</text:span></text:p>)";
constexpr const char* Changes =
    R"(<text:changed-region text:id="i%"><text:insertion><office:change-info><dc:creator>Jens )"
    R"(Advokat</dc:creator><dc:date>2024-01-02T10:00:00</dc:date></office:change-info>)"
    R"(</text:insertion></text:changed-region><text:changed-region text:id="d%"><text:deletion>)"
    R"(<office:change-info><dc:creator>Jens Advokat</dc:creator><dc:date>2024-01-02T10:00:00)"
    R"(</dc:date></office:change-info><text:p>Det oprindelige bud.</text:p></text:deletion>)"
    R"(</text:changed-region>)";

std::string numbered(std::string text, int number) {
    for (std::size_t at; (at = text.find('%')) != std::string::npos;) {
        text.replace(at, 1, std::to_string(number));
    }
    return text;
}

// A home of its own with the letter as .docx on its drive C, and the cleaner
// installed at the tool's path.
struct Workspace {
    Workspace() {
        std::string pattern = (fs::temp_directory_path() / "lexitray-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        fs::create_directories(folder + "/drive_c");
        std::string pages;
        std::string changes;
        for (int page = 1; page <= 50; ++page) {
            pages += numbered(Page, page);
            changes += numbered(Changes, page);
            // Enough text that each section fills a page.
            for (int paragraph = 0; paragraph < 5; ++paragraph) {
                pages += "<text:p>Vi beder Dem gennemgå vilkårene og vende tilbage inden "
                         "fristen, så sagen kan afsluttes uden yderligere omkostninger for "
                         "parterne, og vi står naturligvis til rådighed for spørgsmål.</text:p>";
            }
        }
        std::ofstream(folder + "/brev.fodt")
            << R"(<?xml version="1.0" encoding="UTF-8"?><office:document )"
            << R"(xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
            << R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" )"
            << R"(xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" )"
            << R"(xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" )"
            << R"(xmlns:dc="http://purl.org/dc/elements/1.1/" office:version="1.3" )"
            << R"(office:mimetype="application/vnd.oasis.opendocument.text"><office:automatic-styles>)"
            << R"(<style:style style:name="T1" style:family="text"><style:text-properties )"
            << R"(text:display="none"/></style:style><style:style style:name="P1" )"
            << R"(style:family="paragraph"><style:paragraph-properties fo:break-before="page"/>)"
            << R"(</style:style></office:automatic-styles><office:body><office:text>)"
            << "<text:tracked-changes>" << changes << "</text:tracked-changes>" << pages
            << "</office:text></office:body></office:document>";
        office({"--convert-to", "docx", "--outdir", folder + "/drive_c", folder + "/brev.fodt"});
        const lexi::posix::DriveTable drives = lexi::posix::DriveTable::forHome(folder, {});
        lexi::installHiddenDataTool(drives, LEXITRAY_CLEANER);
        tool = *drives.toHost(lexi::HiddenDataToolPath);
    }
    ~Workspace() { fs::remove_all(folder); }

    // LibreOffice alone, on a user installation of its own.
    void office(std::vector<std::string> arguments) const {
        arguments.insert(
            arguments.begin(),
            {"soffice", "-env:UserInstallation=file://" + folder + "/alone-profile", "--headless"});
        bench::runQuietly(arguments);
    }

    std::string folder;
    std::string tool;
};

void CleanAgainstLibreOfficeAlone(benchmark::State& state) {
    const Workspace workspace;
    ::setenv("LEXITRAY_HOME", workspace.folder.c_str(), 1);
    const std::string docx = workspace.folder + "/drive_c/brev.docx";
    double clean = 0;
    double program = 0;
    double alone = 0;
    for (auto _ : state) {
        const auto started = Clock::now();
        lexi::cleanPackage(lexi::CleanableFormat::OfficeOpenXml, docx,
                           workspace.folder + "/clean.docx");
        const auto cleaned = Clock::now();
        bench::runQuietly({workspace.tool, "C:\\brev.docx", "C:\\program.docx", "/o", "/n:a",
                           "/l:", "h:\\rhdlog.txt", "/m"});
        const auto ran = Clock::now();
        workspace.office({"--convert-to", "docx", "--outdir", workspace.folder + "/alone", docx});
        const auto aloneDone = Clock::now();
        clean += bench::milliseconds(cleaned - started);
        program += bench::milliseconds(ran - cleaned);
        alone += bench::milliseconds(aloneDone - ran);
        state.SetIterationTime(std::chrono::duration<double>(ran - cleaned).count());
    }
    const auto rounds = static_cast<double>(state.iterations());
    state.counters["clean_ms"] = clean / rounds;
    state.counters["program_ms"] = program / rounds;
    state.counters["alone_ms"] = alone / rounds;
    state.counters["program_over_alone"] = program / alone;
}
// LibreOffice takes seconds a round: a fixed number of them.
BENCHMARK(CleanAgainstLibreOfficeAlone)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
