#include "library/frm_outlook.h"

#include "library/transfer_names.h"
#include "platform/danish_format.h"
#include "platform/failure.h"
#include "platform/text.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>

namespace lexi {
namespace {

constexpr std::string_view Section = "Outlook";
constexpr int ButtonWidth = 1250;
constexpr int NavigationWidth = 375;
constexpr int ButtonHeight = 320;

// A value of the settings read as a single-precision number; the default
// for one that is no number.
float readSingle(SettingsStore& settings, std::string_view key, float fallback) {
    const std::string stored =
        settings.getSetting(LibraryTitle, Section, key, std::to_string(fallback));
    float value = fallback;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), value);
    return error == std::errc() ? value : fallback;
}

std::string singleText(int value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, static_cast<float>(value));
    return std::string(text, error == std::errc() ? end : text);
}

// A member the item's kind may lack, or a value the store cannot give.
template <typename Read> auto orNothing(Read read) -> std::optional<decltype(read())> {
    try {
        return read();
    } catch (const Failure&) {
        return std::nullopt;
    }
}

std::string sizeText(std::int64_t bytes) {
    return std::to_string((std::max<std::int64_t>(bytes, 0) + 1023) / 1024) + " KB";
}

struct ViewRow {
    TransferRow row;
    std::string entryId;
    std::optional<LocalDateTime> received;
};

// The folder's items as its table view shows them: newest first, items
// without a received time last.
std::vector<ViewRow> tableView(OutlookFolder& folder) {
    std::vector<ViewRow> rows;
    const ItemsPtr items = folder.items();
    for (int i = 1; i <= items->count(); ++i) {
        const auto item = orNothing([&] { return items->item(i); });
        if (!item) {
            continue;
        }
        OutlookItem& it = **item;
        ViewRow view;
        view.entryId = it.entryId();
        view.row.itemClass = orNothing([&] { return it.itemClass(); }).value_or(0);
        view.row.importance =
            orNothing([&] { return it.importance(); }).value_or(outlook::ImportanceNormal);
        view.row.flagStatus = orNothing([&] { return it.flagStatus(); }).value_or(0);
        view.row.attachment =
            orNothing([&] { return it.attachments().count() > 0; }).value_or(false);
        view.row.from = orNothing([&] { return it.senderName(); }).value_or("");
        view.row.subject = orNothing([&] { return it.subject(); }).value_or("");
        view.row.size = sizeText(orNothing([&] { return it.size(); }).value_or(0));
        view.received = orNothing([&] { return it.receivedTime(); });
        if (view.received && *view.received < outlook::Never) {
            view.row.received = danish::shortDate(*view.received) + ' ' +
                                danish::longTime(*view.received).substr(0, 5);
        } else {
            view.received.reset();
        }
        rows.push_back(std::move(view));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const ViewRow& a, const ViewRow& b) {
        return a.received.has_value() && (!b.received || *a.received > *b.received);
    });
    return rows;
}

// The Outlook version as a number: its text without the points.
double versionNumber(std::string version) {
    std::erase(version, '.');
    return std::atof(version.c_str());
}

// Field 3 of a record: a subject over 80 characters is cut to 76 and "...".
std::string recordSubject(const std::string& subject) {
    return text::utf16Length(subject) > 80 ? std::string(text::left(subject, 76)) + "..." : subject;
}

} // namespace

frmOutlook::frmOutlook(LibraryState& state, Platform& platform)
    : state_(state), platform_(platform) {}

frmOutlook::~frmOutlook() = default;

void frmOutlook::show() {
    if (!load()) {
        return;
    }
    view_->showModal();
}

bool frmOutlook::load() {
    state_.OlMailInfo.redim(1, 1);
    state_.OlMailCount = 0;
    std::shared_ptr<OutlookApplication> olApp = platform_.outlook.running();
    if (!olApp) {
        olApp = platform_.outlook.start();
    }
    session_ = olApp->session();
    if (versionNumber(olApp->version()) < 10000000) {
        platform_.ui.messageBox("Denne funktion kræver Outlook 10 eller nyere",
                                msgbox::OkOnly | msgbox::Critical, LibraryTitle);
        return false;
    }
    view_ = platform_.ui.openTransferDialog({"Meddelelser", "Opslag", "&Overfør",
                                             "Overfør til Navision", "&Annuller", MinimumWidth,
                                             MinimumHeight},
                                            *this);
    SettingsStore& settings = platform_.settings;
    TwipsRect window;
    window.top = static_cast<int>(readSingle(settings, "Top", 0));
    window.left = static_cast<int>(readSingle(settings, "Left", 0));
    window.height = static_cast<int>(readSingle(settings, "Height", DesignHeight));
    window.width = static_cast<int>(readSingle(settings, "Width", DesignWidth));
    layOut(window);
    showRingFolder();
    return true;
}

void frmOutlook::showRingFolder() {
    const FolderPtr folder = session_->getDefaultFolder(FolderRing[current_]);
    shown_.previousTip = session_->getDefaultFolder(FolderRing[previous_])->name();
    shown_.nextTip = session_->getDefaultFolder(FolderRing[next_])->name();
    showFolder(*folder);
}

void frmOutlook::showFolder(OutlookFolder& folder) {
    std::vector<ViewRow> rows = tableView(folder);
    shown_.caption = folder.name();
    shown_.rows.clear();
    rowItems_.clear();
    for (ViewRow& row : rows) {
        shown_.rows.push_back(std::move(row.row));
        rowItems_.push_back(std::move(row.entryId));
    }
    view_->update(shown_);
}

void frmOutlook::layOut(TwipsRect window) {
    window.width = std::max(window.width, MinimumWidth);
    window.height = std::max(window.height, MinimumHeight);
    shown_.window = window;
    const int buttonTop = window.height - 950;
    shown_.view = {105, 105, window.width - 325, window.height - 1200};
    shown_.previousButton = {120, buttonTop, NavigationWidth, ButtonHeight};
    shown_.lookupButton = {600, buttonTop, NavigationWidth, ButtonHeight};
    shown_.nextButton = {1080, buttonTop, NavigationWidth, ButtonHeight};
    shown_.transferButton = {window.width - (2 * ButtonWidth + 225 + 75), buttonTop, ButtonWidth,
                             ButtonHeight};
    shown_.cancelButton = {window.width - (ButtonWidth + 225), buttonTop, ButtonWidth,
                           ButtonHeight};
}

void frmOutlook::resized(const TwipsRect& window, bool minimised) {
    if (!minimised) {
        layOut(window);
        view_->update(shown_);
    }
}

// The ring turns on: the next folder comes on view.
void frmOutlook::nextClicked() {
    current_ = current_ % 3 + 1;
    next_ = current_ % 3 + 1;
    previous_ = next_ % 3 + 1;
    showRingFolder();
}

void frmOutlook::previousClicked() {
    current_ = (current_ + 1) % 3 + 1;
    next_ = current_ % 3 + 1;
    previous_ = next_ % 3 + 1;
    showRingFolder();
}

// Outlook's folder picker, until the user cancels or picks a mail folder.
void frmOutlook::lookupClicked() {
    FolderPtr folder;
    do {
        folder = session_->pickFolder();
    } while (folder && folder->defaultItemType() != outlook::MailItem);
    if (folder) {
        showFolder(*folder);
    }
}

void frmOutlook::transferClicked() {
    const std::vector<int> selected = view_->selectedRows();
    std::vector<ItemPtr> items;
    int s = 0;
    for (const int row : selected) {
        ItemPtr item;
        if (row >= 0 && row < static_cast<int>(rowItems_.size())) {
            item = orNothing([&] {
                       return session_->getItemFromId(rowItems_[static_cast<std::size_t>(row)]);
                   }).value_or(nullptr);
        }
        s += item ? 1 : 0;
        items.push_back(std::move(item));
    }
    state_.OlMailInfo.redim(s, 6);
    int c = 0;
    int k = 0;
    skipped_.clear();
    for (ItemPtr& item : items) {
        if (item && !transferItem(*item, c, k)) {
            break;
        }
        item.reset();
    }
    reportSkipped();
    state_.TransferFolder.clear();
    close();
    state_.OlMailCount = static_cast<std::int16_t>(c);
}

bool frmOutlook::transferItem(OutlookItem& item, int& c, int& k) {
    std::string subject;
    std::string path;
    try {
        subject = item.subject();
        std::string name = cleanedFileName(subject);
        if (state_.TransferFolder.empty()) {
            platform_.ui.messageBox("Der er ikke angivet en placering, hvor filen skal gemmes!",
                                    161, LibraryTitle);
            return false;
        }
        if (!state_.TransferFolder.ends_with('\\')) {
            state_.TransferFolder += '\\';
        }
        path = state_.TransferFolder +
               fittedFileName(state_.TransferFolder, std::move(name), k, platform_.files);
        item.saveAs(path);
    } catch (const Failure& failed) {
        skipped_.push_back((subject.empty() ? std::string("(uden emne)") : subject) + ": " +
                           failed.description());
        return true;
    }
    ++c;
    // The file is in the case folder: a field the item cannot give stays empty.
    ignoringFailure([&] { fillRecord(item, c); });
    state_.OlMailInfo.at(c, 6) = path;
    return true;
}

void frmOutlook::fillRecord(OutlookItem& item, int c) {
    TextTable& info = state_.OlMailInfo;
    info.at(c, 3) = recordSubject(item.subject());
    const auto dated = [&](const LocalDateTime& when) {
        info.at(c, 4) = danish::shortDate(when);
        info.at(c, 5) = danish::longTime(when);
    };
    switch (item.itemClass()) {
    case outlook::ClassMail:
        info.at(c, 1) = std::string(text::left(item.senderName(), 30));
        info.at(c, 2) = std::string(text::left(item.to(), 30));
        dated(item.receivedTime());
        break;
    case outlook::ClassReport:
        info.at(c, 1) = "Outlook - System report";
        info.at(c, 2) = std::string(text::left(session_->currentUserName(), 30));
        dated(item.creationTime());
        break;
    case outlook::ClassMeetingRequest:
    case outlook::ClassMeetingCancellation:
        info.at(c, 1) = "Outlook - Meeting";
        info.at(c, 2) = std::string(text::left(session_->currentUserName(), 30));
        dated(item.getAssociatedAppointment(false)->start());
        break;
    default:
        info.at(c, 1) = "Outlook";
        info.at(c, 2) = "NA";
        break;
    }
}

void frmOutlook::reportSkipped() const {
    if (skipped_.empty()) {
        return;
    }
    std::string message = "Disse elementer kunne ikke gemmes i sagen og er ikke overført:";
    for (const std::string& line : skipped_) {
        message += "\r\n" + line;
    }
    platform_.ui.messageBox(message, msgbox::OkOnly | msgbox::Exclamation, LibraryTitle);
}

void frmOutlook::cancelClicked() {
    close();
    state_.OlMailInfo.redim(1, 1);
}

void frmOutlook::closeClicked() {
    close();
}

void frmOutlook::close() {
    const TwipsRect window = view_->placement();
    view_->hide();
    ignoringFailure([&] {
        SettingsStore& settings = platform_.settings;
        settings.saveSetting(LibraryTitle, Section, "Height", singleText(window.height));
        settings.saveSetting(LibraryTitle, Section, "Width", singleText(window.width));
        settings.saveSetting(LibraryTitle, Section, "Top", singleText(window.top));
        settings.saveSetting(LibraryTitle, Section, "Left", singleText(window.left));
    });
    session_.reset();
}

} // namespace lexi
