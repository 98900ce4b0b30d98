#pragma once

#include "platform/fake/memory_mail_storage.h"
#include "platform/posix/mailstore/opened_store.h"

#include <vector>

namespace lexi::mailstore {

// A transport for tests: it keeps what it was given, or refuses. What it
// keeps carries no Message-ID.
class RecordingTransport final : public MailTransport {
public:
    std::string deliver(const msgfile::Message& mail, const Account& account) override;

    std::vector<msgfile::Message> delivered;
    // Every delivery asked for, taken or refused.
    int attempts = 0;
    // When not empty, every delivery fails with this reason.
    std::string refusal;
};

// Outlook for tests: the store's own object model over a store in memory,
// whose user is scripted through the windows given. Whether Outlook runs,
// whether it can be started, when sent mail reaches Sent Items and whether
// the mail server takes it are the test's to set. A try of the Outbox runs at
// once, in the caller's thread.
class FakeOutlook final : public OutlookConnector {
public:
    FakeOutlook(Clock& clock, Ui& ui, OutlookWindows& windows, const posix::DriveTable& drives);

    std::shared_ptr<OutlookApplication> running() override;
    std::shared_ptr<OutlookApplication> start() override;

    MemoryMailStorage& storage() { return *storage_; }

    bool isRunning = false;
    bool canStart = true;
    int starts = 0;
    RecordingTransport transport;

private:
    MemoryMailStorage* storage_;
    OpenedStore store_;
};

} // namespace lexi::mailstore
