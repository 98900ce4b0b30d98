#pragma once

#include <string>
#include <vector>

namespace lexi {

// What the mail window shows and the user edits.
struct ComposeFields {
    std::string to;
    std::string bcc;
    std::string subject;
    std::string body; // the HTML text when `html` is set, else plain text
    bool html = false;
    std::vector<std::string> attachments; // display names, in order

    bool operator==(const ComposeFields&) const = default;
};

// What the window's buttons do to the mail behind it. Each answers whether
// the window is gone afterwards.
class ComposeActions {
public:
    virtual ~ComposeActions() = default;
    [[nodiscard]] virtual bool send(const ComposeFields& fields) = 0;
    [[nodiscard]] virtual bool close(const ComposeFields& fields) = 0;
};

// What the last Send did with the mail: it went (delivered, or filed as sent),
// it waits in the Outbox for the mail server, or it never left (the window
// stays open).
enum class SendResult { Sent, Queued, Refused };

// The mail window: its fields and its two buttons, Send and Close. Views
// draw it and forward the user's edits and clicks; the rules are here and in
// the mail behind it.
class ComposeWindow {
public:
    ComposeWindow(ComposeFields fields, ComposeActions& actions);

    const ComposeFields& fields() const { return fields_; }
    // The title bar: the subject, or "Unavngivet" for a mail without one.
    std::string title() const;
    bool isOpen() const { return open_; }

    void setTo(std::string to) { fields_.to = std::move(to); }
    void setBcc(std::string bcc) { fields_.bcc = std::move(bcc); }
    void setSubject(std::string subject) { fields_.subject = std::move(subject); }
    void setBody(std::string body) { fields_.body = std::move(body); }

    void send();
    void close();

    SendResult sendResult() const { return sendResult_; }
    // The mail behind the window tells what became of it when it did not
    // simply go; a Send that closes the window is Sent unless told otherwise.
    void setSendResult(SendResult result) { sendResult_ = result; }

private:
    ComposeFields fields_;
    ComposeActions& actions_;
    bool open_ = true;
    SendResult sendResult_ = SendResult::Sent;
};

// What the window of a task, a task request or a contact shows: its kind
// ("task", "taskrequest", "contact"), its title bar and its fields in order,
// each with a key for the records, a caption for the eye and its text.
struct ItemWindowField {
    std::string key;
    std::string caption;
    std::string text;

    bool operator==(const ItemWindowField&) const = default;
};

struct ItemWindowContent {
    std::string kind;
    std::string title;
    std::vector<ItemWindowField> fields;

    bool operator==(const ItemWindowContent&) const = default;
};

// The windows of Outlook itself that the program makes the user go through.
class OutlookWindows {
public:
    virtual ~OutlookWindows() = default;

    // Shows the mail window modally, until it is gone.
    virtual void showComposeWindow(ComposeWindow& window) = 0;

    // Lets the user pick one of the folders (shown by their paths); the index
    // of the choice, or -1 when the user cancels.
    [[nodiscard]] virtual int pickFolder(const std::vector<std::string>& folderPaths) = 0;

    // Opens the window of an item, not modal: the call returns at once and
    // the window stays until the user closes it.
    virtual void showItemWindow(const ItemWindowContent& content) = 0;
};

} // namespace lexi
