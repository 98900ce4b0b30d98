#pragma once

#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_word.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/fake/memory_registry.h"
#include "platform/platform.h"
#include "platform/posix/not_installed.h"
#include "platform/registry_settings.h"
#include "program/run_log.h"
#include "tests/support/log_lines.h"
#include "tests/support/recording_ui.h"

namespace lexi::testing {

// A workstation of fakes for the document preparation: files and registry in
// memory, Word over those files, a manual clock, a user who answers from
// `script`, and the run log in C:\.
struct FakeWorkstation {
    explicit FakeWorkstation(std::string_view script = {}) : ui(script) { log.setFolder("C:\\"); }

    // The texts of the run log's lines.
    std::vector<std::string> logLines() {
        return logLineTexts(files.readFile("C:\\Lexitray_tester.log"));
    }

    fake::MemoryRegistry registry;
    RegistrySettings settings{registry};
    fake::MemoryFileSystem files;
    fake::FakeProcesses processes;
    fake::FakeShell shell;
    RecordingUi ui;
    fake::ManualClock clock;
    posix::NoOutlook outlook;
    fake::FakeWord word{files};
    posix::NoWindows windows;
    Platform platform{registry, settings, files,   processes, shell,
                      ui,       clock,    outlook, word,      windows};
    RunLog log{files, processes, clock};
};

} // namespace lexi::testing
