#pragma once
// INTERIM, never committed: stands in for the WindowsPlatform of the
// win32-platform branch until it lands.
#include "platform/failure.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_word.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/fake/open_windows.h"
#include "platform/platform.h"
#include "platform/registry_settings.h"
#include "platform/script/scripted_ui.h"

namespace lexi {

class InterimRegistry final : public Registry {
public:
    RegistryStatus openKey(RegistryRoot root, std::string_view subkey,
                           RegistryAccess access) override;
    RegistryStatus createKey(RegistryRoot root, std::string_view subkey) override;
    RegistryStatus queryValue(RegistryRoot root, std::string_view subkey, std::string_view name,
                              std::size_t capacity, RegistryValue& value,
                              std::size_t& size) override;
    RegistryStatus setValue(RegistryRoot root, std::string_view subkey, std::string_view name,
                            const RegistryValue& value) override;
    RegistryStatus deleteValue(RegistryRoot root, std::string_view subkey,
                               std::string_view name) override;
    RegistryStatus deleteKey(RegistryRoot root, std::string_view subkey) override;
    std::vector<std::string> valueNames(RegistryRoot, std::string_view) override { return {}; }
    std::string storeLocation() const override { return "registry"; }
};

class NoOutlookYet final : public OutlookConnector {
public:
    std::shared_ptr<OutlookApplication> running() override { return nullptr; }
    std::shared_ptr<OutlookApplication> start() override {
        throw Failure(failure::CannotCreateObject, "Outlook.Application");
    }
};

class WindowsPlatform {
public:
    WindowsPlatform();
    Platform& platform() { return platform_; }

private:
    InterimRegistry registry_;
    RegistrySettings settings_{registry_};
    fake::MemoryFileSystem files_;
    fake::FakeProcesses processes_;
    fake::FakeShell shell_;
    script::ScriptedUi ui_;
    fake::ManualClock clock_;
    NoOutlookYet outlook_;
    fake::FakeWord word_{files_};
    fake::OpenWindows windows_;
    Platform platform_{registry_, settings_, files_,   processes_, shell_,
                       ui_,       clock_,    outlook_, word_,      windows_};
};

} // namespace lexi
