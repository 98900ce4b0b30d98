// lexitray-store: looks into and prepares the mail store of
// $LEXITRAY_HOME/mailstore.db, for users and tests.
//
// Exit codes: 0 done, 1 failed (the reason on stderr), 2 wrong use (the
// usage on stderr).

#include "apps/lexitray-store/store_commands.h"
#include "platform/failure.h"
#include "platform/outlook.h"
#include "platform/posix/lexitray_home.h"
#include "platform/posix/mailstore/opened_store.h"
#include "platform/posix/mailstore/smtp_transport.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/system_clock.h"
#include "platform/script/scripted_ui.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <vector>

namespace {

using namespace lexi;

constexpr const char* Usage = R"(Usage:
  lexitray-store folders
  lexitray-store list <folder id>
  lexitray-store show <entry id>
  lexitray-store deliver <folder id> <file.msg>
  lexitray-store export <entry id> <file.msg>
  lexitray-store send-outbox
  lexitray-store account [--name N] [--address A] [--version V] [--signature-file F]
                         [--smtp URL] [--smtp-user U] [--smtp-password P]
The store is $LEXITRAY_HOME/mailstore.db.
)";

// A command line that does not fit the usage.
struct UsageError {};

int folderId(const std::string& text) {
    int id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc{} || end != text.data() + text.size()) {
        throw UsageError{};
    }
    return id;
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw Failure(failure::FileNotFound, "Cannot read " + path, "lexitray-store");
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

using AccountField = std::string mailstore::Account::*;

// The account fields that "--option value" pairs change, in their order.
std::vector<std::pair<AccountField, std::string>>
accountChanges(const std::vector<std::string>& options) {
    struct Option {
        const char* name;
        AccountField field;
    };
    static constexpr Option Options[] = {
        {"--name", &mailstore::Account::displayName},
        {"--address", &mailstore::Account::address},
        {"--version", &mailstore::Account::version},
        {"--signature-file", &mailstore::Account::signature},
        {"--smtp", &mailstore::Account::smtpUrl},
        {"--smtp-user", &mailstore::Account::smtpUser},
        {"--smtp-password", &mailstore::Account::smtpPassword},
    };
    if (options.size() % 2 != 0) {
        throw UsageError{};
    }
    std::vector<std::pair<AccountField, std::string>> changes;
    for (std::size_t at = 0; at < options.size(); at += 2) {
        const auto option = std::find_if(std::begin(Options), std::end(Options),
                                         [&](const Option& o) { return options[at] == o.name; });
        if (option == std::end(Options)) {
            throw UsageError{};
        }
        const std::string& value = options[at + 1];
        changes.emplace_back(option->field, option->field == &mailstore::Account::signature
                                                ? fileText(value)
                                                : value);
    }
    return changes;
}

// The number of arguments each command takes after its name; -1 for a
// command that takes options.
int argumentCount(const std::string& command) {
    static const std::map<std::string, int> Counts = {
        {"folders", 0}, {"list", 1},     {"show", 1},        {"deliver", 2},
        {"export", 2},  {"account", -1}, {"send-outbox", 0},
    };
    const auto found = Counts.find(command);
    if (found == Counts.end()) {
        throw UsageError{};
    }
    return found->second;
}

// Tries once more to deliver the mail that waits in the Outbox, whatever the
// store's turn, and lists what still waits. What the store would tell the
// user goes to stderr.
void sendOutbox(const std::string& databasePath) {
    posix::SystemClock clock;
    script::ScriptedUi ui({}, [](const script::Record& record) {
        std::cerr << "lexitray-store: " << record.field("text") << '\n';
    });
    const posix::DriveTable noDrives({});
    mailstore::SmtpTransport transport;
    mailstore::OpenedStore store(std::make_unique<mailstore::SqliteMailStorage>(databasePath),
                                 {clock, ui, ui, noDrives, transport});
    store.deliverWaitingMail();
    storetool::printItems(store.storage(), outlook::FolderOutbox, std::cout);
}

void run(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        throw UsageError{};
    }
    const std::string& command = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    const int count = argumentCount(command);
    if (count >= 0 && rest.size() != static_cast<std::size_t>(count)) {
        throw UsageError{};
    }
    // Everything is checked before the store is opened, so that wrong use
    // does not create a store.
    const int folder = command == "list" || command == "deliver" ? folderId(rest[0]) : 0;
    const auto changes = command == "account" ? accountChanges(rest)
                                              : std::vector<std::pair<AccountField, std::string>>{};

    if (command == "send-outbox") {
        sendOutbox(posix::lexitrayHome() + "/mailstore.db");
        return;
    }
    mailstore::SqliteMailStorage storage(posix::lexitrayHome() + "/mailstore.db");
    if (command == "folders") {
        storetool::printFolders(storage, std::cout);
    } else if (command == "list") {
        storetool::printItems(storage, folder, std::cout);
    } else if (command == "show") {
        storetool::printItem(storage, rest[0], std::cout);
    } else if (command == "deliver") {
        std::cout << storetool::deliverFile(storage, folder, rest[1]) << '\n';
    } else if (command == "export") {
        storetool::exportItem(storage, rest[0], rest[1]);
    } else {
        if (!changes.empty()) {
            mailstore::Account account = storage.account();
            for (const auto& [field, value] : changes) {
                account.*field = value;
            }
            storage.setAccount(account);
        }
        storetool::printAccount(storage.account(), std::cout);
    }
}

} // namespace

int main(int argc, char** argv) {
    try {
        run(std::vector<std::string>(argv + 1, argv + argc));
        return 0;
    } catch (const UsageError&) {
        std::cerr << Usage;
        return 2;
    } catch (const lexi::Failure& failure) {
        std::cerr << "lexitray-store: " << failure.description() << '\n';
    } catch (const std::exception& error) {
        std::cerr << "lexitray-store: " << error.what() << '\n';
    }
    return 1;
}
