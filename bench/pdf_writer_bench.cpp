// What the PDF of a document costs through the warm LibreOffice, set against
// LibreOffice alone (`soffice --headless --convert-to pdf`, one program run
// per document) on the same file, side by side in one run. Cold is the first
// document with no instance running (the converter starts it); warm are the
// documents after it. The documents are a letter of three pages as .docx and
// as .odt, made by LibreOffice in the set-up. Counters per document: cold_ms,
// warm_ms, alone_ms; cold_over_alone (goal: at most 1.2) and cold_over_warm
// (goal: at least 3).

#include "bench/quiet_program.h"
#include "platform/posix/libreoffice/warm_office.h"

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

// Runs LibreOffice with its own user installation in `folder`, quietly, to
// its end.
void runOffice(const std::string& folder, std::vector<std::string> arguments) {
    arguments.insert(
        arguments.begin(),
        {"soffice", "-env:UserInstallation=file://" + folder + "/alone-profile", "--headless"});
    bench::runQuietly(std::move(arguments));
}

// A folder of its own (the home of the warm instance), with the letter as
// .docx and .odt in it.
struct Workspace {
    Workspace() {
        std::string pattern = (fs::temp_directory_path() / "lexitray-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        std::ofstream letter(folder + "/brev.txt");
        letter << "Advokatfirmaet\n\nVedr. sag 2024-117\n\n";
        for (int paragraph = 1; paragraph <= 40; ++paragraph) {
            letter << "Afsnit " << paragraph
                   << ". Som aftalt sender vi hermed udkast til forlig. Vi beder Dem "
                      "gennemgå vilkårene og vende tilbage inden fristen, så sagen kan "
                      "afsluttes uden yderligere omkostninger for parterne.\n\n";
        }
        letter.close();
        for (const char* format : {"docx", "odt"}) {
            runOffice(folder, {"--convert-to", format, "--outdir", folder, folder + "/brev.txt"});
        }
    }
    ~Workspace() { fs::remove_all(folder); }

    std::string document(const char* format) const { return folder + "/brev." + format; }

    std::string folder;
};

// One round: the instance ended, the .docx cold, then the .odt and the .docx
// warm; LibreOffice alone converts the same two files.
void WarmAgainstLibreOfficeAlone(benchmark::State& state) {
    const Workspace workspace;
    lexi::posix::WarmOffice office(workspace.folder);
    const std::string docx = workspace.document("docx");
    const std::string odt = workspace.document("odt");
    double cold = 0;
    double warm = 0;
    double alone = 0;
    for (auto _ : state) {
        office.endInstance();
        const auto started = Clock::now();
        office.convertToPdf(docx, workspace.folder + "/cold.pdf");
        const auto coldDone = Clock::now();
        office.convertToPdf(odt, workspace.folder + "/warm-odt.pdf");
        office.convertToPdf(docx, workspace.folder + "/warm-docx.pdf");
        const auto warmDone = Clock::now();
        for (const std::string& document : {docx, odt}) {
            runOffice(workspace.folder,
                      {"--convert-to", "pdf", "--outdir", workspace.folder + "/alone", document});
        }
        const auto aloneDone = Clock::now();
        cold += bench::milliseconds(coldDone - started);
        warm += bench::milliseconds(warmDone - coldDone) / 2;
        alone += bench::milliseconds(aloneDone - warmDone) / 2;
        state.SetIterationTime(std::chrono::duration<double>(warmDone - started).count());
    }
    office.endInstance();
    const auto rounds = static_cast<double>(state.iterations());
    state.counters["cold_ms"] = cold / rounds;
    state.counters["warm_ms"] = warm / rounds;
    state.counters["alone_ms"] = alone / rounds;
    state.counters["cold_over_alone"] = cold / alone;
    state.counters["cold_over_warm"] = cold / warm;
}
// A round takes seconds: a fixed number of them.
BENCHMARK(WarmAgainstLibreOfficeAlone)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
