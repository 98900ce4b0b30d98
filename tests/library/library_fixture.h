#pragma once

#include "library/casebench_library.h"
#include "platform/failure.h"
#include "platform/fake/fake_outlook.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/fake/memory_registry.h"
#include "platform/fake/open_windows.h"
#include "platform/posix/not_installed.h"
#include "platform/registry_settings.h"
#include "platform/script/scripted_ui.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace lexi::testing {

// Word that only counts its starts.
class CountingWord final : public WordConnector {
public:
    std::unique_ptr<WordApplication> running() override { return nullptr; }
    std::unique_ptr<WordApplication> start() override {
        ++starts;
        throw Failure(failure::CannotCreateObject, "Word");
    }
    int starts = 0;
};

// The library on fakes, with a scripted UI whose records are kept.
class LibraryTest : public ::testing::Test {
protected:
    // Calls a member by name with texts; the changed arguments in `args`.
    Variant call(AutomationObject& object, std::string_view member,
                 std::vector<Variant> arguments = {}) {
        args = std::move(arguments);
        return object.invoke(object.classInfo().member(member)->dispatchId, args);
    }
    std::shared_ptr<AutomationObject> create(std::string_view name) { return library.create(name); }

    fake::MemoryRegistry registry;
    RegistrySettings settings{registry};
    // Drive Z: shows the whole machine, as on Linux.
    fake::MemoryFileSystem files{"CZ"};
    fake::FakeProcesses processes;
    posix::NoShell shell;
    std::vector<script::Record> records;
    script::ScriptedUi ui{"", [this](const script::Record& r) {
                              records.push_back(r);
                          }};
    fake::ManualClock clock;
    // Outlook over a store in memory; its files are on drive C:.
    TempFolder root;
    posix::DriveTable drives{{{'C', root.str()}}};
    mailstore::FakeOutlook outlook{clock, ui, ui, drives};
    CountingWord word;
    fake::OpenWindows windows;
    Platform platform{registry, settings, files,   processes, shell,
                      ui,       clock,    outlook, word,      windows};
    CasebenchLibrary library{platform};
    std::vector<Variant> args;
};

} // namespace lexi::testing
