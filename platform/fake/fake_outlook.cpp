#include "platform/fake/fake_outlook.h"

#include "platform/failure.h"

namespace lexi::mailstore {
namespace {

std::unique_ptr<MemoryMailStorage> memoryStorage(Clock& clock, MemoryMailStorage*& view) {
    auto storage = std::make_unique<MemoryMailStorage>(clock);
    view = storage.get();
    return storage;
}

} // namespace

std::string RecordingTransport::deliver(const msgfile::Message& mail, const Account&) {
    ++attempts;
    if (!refusal.empty()) {
        throw Failure(failure::AutomationError, refusal, "RecordingTransport");
    }
    delivered.push_back(mail);
    return {};
}

FakeOutlook::FakeOutlook(Clock& clock, Ui& ui, OutlookWindows& windows,
                         const posix::DriveTable& drives)
    : store_(memoryStorage(clock, storage_), {clock, ui, windows, drives, transport}) {}

std::shared_ptr<OutlookApplication> FakeOutlook::running() {
    return isRunning ? store_.application() : nullptr;
}

std::shared_ptr<OutlookApplication> FakeOutlook::start() {
    if (!canStart) {
        throw Failure(failure::CannotCreateObject, "Outlook.Application");
    }
    isRunning = true;
    ++starts;
    return store_.application();
}

} // namespace lexi::mailstore
