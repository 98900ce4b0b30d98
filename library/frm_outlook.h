#pragma once

#include "library/library_state.h"
#include "platform/platform.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace lexi {

// The title of the library's own message boxes.
inline constexpr std::string_view LibraryTitle = "Casebench";

// The mail transfer dialog: a folder of Outlook on view (the Inbox, Sent
// Items and Deleted Items in a ring, or any mail folder looked up), and the
// transfer of the items the user selects into the case folder
// `TransferFolder` as message files, with a record of each in `OlMailInfo`.
class frmOutlook final : private TransferDialogEvents {
public:
    // The design size and the smallest size the user may give it, in twips.
    static constexpr int DesignWidth = 10755;
    static constexpr int DesignHeight = 7890;
    static constexpr int MinimumWidth = 5000;
    static constexpr int MinimumHeight = 3000;

    frmOutlook(LibraryState& state, Platform& platform);
    ~frmOutlook() override;

    // Loads the dialog and shows it modally until it is closed by a transfer,
    // the cancel button or the close box. The records are left in
    // `OlMailInfo`, their number in `OlMailCount`.
    void show();

private:
    void previousClicked() override;
    void lookupClicked() override;
    void nextClicked() override;
    void transferClicked() override;
    void cancelClicked() override;
    void closeClicked() override;
    void resized(const TwipsRect& window, bool minimised) override;

    // Loading: false when the dialog may not be shown.
    bool load();
    // The ring's folder at the current position on view, with the tool tips.
    void showRingFolder();
    void showFolder(OutlookFolder& folder);
    // Places the window and its controls for a size, kept at least the
    // smallest.
    void layOut(TwipsRect window);
    // Saves one item; throws when it cannot be saved. False when there is
    // no case folder to save into.
    bool transferItem(OutlookItem& item, int& c, int& k);
    void fillRecord(OutlookItem& item, int c);
    // Tells the user of the items that could not be filed.
    void reportSkipped() const;
    // Hides the dialog and keeps its place for the next showing.
    void close();

    LibraryState& state_;
    Platform& platform_;
    std::shared_ptr<OutlookNamespace> session_;
    std::unique_ptr<TransferDialogView> view_;
    TransferDialogState shown_;
    // The entry ID of the item of each row.
    std::vector<std::string> rowItems_;
    // Positions 1 to 3: the Inbox, Sent Items, Deleted Items.
    static constexpr std::array<int, 4> FolderRing = {
        0, outlook::FolderInbox, outlook::FolderSentItems, outlook::FolderDeletedItems};
    int current_ = 1;
    int next_ = 2;
    int previous_ = 3;
    // "subject: why" of each item a transfer could not save.
    std::vector<std::string> skipped_;
};

} // namespace lexi
