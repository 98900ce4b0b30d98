#pragma once

#include "platform/text_window.h"

#include <iterator>
#include <string>
#include <vector>

namespace lexi {

// One item as the transfer dialog's folder table shows it.
struct TransferRow {
    int itemClass = 0;       // Ikon: the item's Class number
    int importance = 1;      // Prioritet: 0 low, 1 normal, 2 high
    bool attachment = false; // Vedhæftet fil
    int flagStatus = 0;      // Flagstatus: 0 none, 1 complete, 2 flagged
    std::string from;        // Fra
    std::string subject;     // Emne
    std::string received;    // Modtaget, "dd-mm-yyyy hh:mm"; empty for none
    std::string size;        // Størrelse, "12 KB"

    bool operator==(const TransferRow&) const = default;
};

// The columns of the folder's table, in order, as the view named
// "Meddelelser" has them: heading and width in the view's units (pixels at
// 96 dots per inch). Each shows one field of TransferRow; the dialog's view
// chooses the symbols of the narrow ones.
struct TransferColumn {
    const char* heading;
    int width;
};
inline constexpr TransferColumn TransferColumns[] = {
    {"Brevhovedstatus", 50}, {"Prioritet", 10}, {"Ikon", 18},
    {"Vedhæftet fil", 10},   {"Fra", 112},      {"Emne", 322},
    {"Modtaget", 116},       {"Størrelse", 45}, {"Flagstatus", 18}};
enum TransferColumnIndex {
    HeaderStatusColumn, // nothing of our own to show
    ImportanceColumn,
    ClassColumn,
    AttachmentColumn,
    FromColumn,
    SubjectColumn,
    ReceivedColumn, // the items come sorted by it, newest first
    SizeColumn,
    FlagColumn,
    TransferColumnCount
};
static_assert(std::size(TransferColumns) == TransferColumnCount);

// What the transfer dialog shows as it is loaded: the captions and tool tips
// that never change, and the smallest size the dialog takes.
struct TransferDialogContent {
    std::string viewName;        // the table view's name
    std::string lookupTip;       // OpslagKnap
    std::string transferCaption; // OverførKnap
    std::string transferTip;
    std::string cancelCaption; // AnnullerKnap
    int minimumWidth = 0;      // twips
    int minimumHeight = 0;
};

// What the transfer dialog holds at a moment, as the model says: the folder
// on view with its items, newest first, and the layout in twips.
struct TransferDialogState {
    std::string caption;     // the name of the folder on view
    std::string previousTip; // ForrigeKnap: the previous folder's name
    std::string nextTip;     // NæsteKnap: the next folder's name
    std::vector<TransferRow> rows;
    TwipsRect window;         // the whole dialog, frame included
    TwipsRect view;           // olView
    TwipsRect previousButton; // ForrigeKnap
    TwipsRect lookupButton;   // OpslagKnap
    TwipsRect nextButton;     // NæsteKnap
    TwipsRect transferButton; // OverførKnap
    TwipsRect cancelButton;   // AnnullerKnap
};

// What the user does in the transfer dialog; the view forwards it.
class TransferDialogEvents {
public:
    virtual ~TransferDialogEvents() = default;
    virtual void previousClicked() = 0;
    virtual void lookupClicked() = 0;
    virtual void nextClicked() = 0;
    virtual void transferClicked() = 0;
    virtual void cancelClicked() = 0;
    // The window's close box.
    virtual void closeClicked() = 0;
    // The user gave the dialog this place and size (twips, frame included).
    virtual void resized(const TwipsRect& window, bool minimised) = 0;
};

// The transfer dialog, loaded hidden. Destroying it unloads it.
class TransferDialogView {
public:
    virtual ~TransferDialogView() = default;
    // Shows what the dialog holds now; new rows come unselected.
    virtual void update(const TransferDialogState& state) = 0;
    // Shows the dialog modally; returns once it is hidden (by the model, from
    // one of its events).
    virtual void showModal() = 0;
    virtual void hide() = 0;
    // The rows the user has selected, as positions in the rows shown (from
    // 0), top to bottom.
    virtual std::vector<int> selectedRows() = 0;
    // Where the dialog is now and how large (twips, frame included).
    virtual TwipsRect placement() = 0;
};

} // namespace lexi
