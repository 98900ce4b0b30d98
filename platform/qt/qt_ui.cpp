#include "platform/qt/qt_ui.h"

#include "platform/qt/compose_window_view.h"
#include "platform/qt/item_window_view.h"
#include "platform/qt/making_pdf_window_view.h"
#include "platform/qt/message_box.h"
#include "platform/qt/naming_dialog_view.h"
#include "platform/qt/qt_conversions.h"
#include "platform/qt/settings_window_view.h"
#include "platform/qt/text_window_view.h"
#include "platform/qt/transfer_dialog_view.h"
#include "platform/qt/tray_window_view.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <algorithm>

namespace lexi::qt {
namespace {

// QApplication keeps references to these for its whole life.
int argumentCount = 1;
char programName[] = "lexitray";
char* arguments[] = {programName, nullptr};

} // namespace

QtUi::QtUi()
    : application_(QApplication::instance()
                       ? nullptr
                       : std::make_unique<QApplication>(argumentCount, arguments)) {
    // A host's own application keeps its own name and rules.
    if (application_) {
        QApplication::setApplicationName(QStringLiteral("Lexitray"));
        // A hidden tray window still carries the program: the event loop
        // decides when it is over, not the last visible window.
        QApplication::setQuitOnLastWindowClosed(false);
    }
}

QtUi::~QtUi() {
    // An item window the user left open: the UI goes at the host's exit,
    // when Qt's own globals may be gone already, and destroying the
    // application would tear the window's native window down on them. The
    // process is ending; the application is left to it.
    const bool windowsOpen =
        std::any_of(itemWindows_.begin(), itemWindows_.end(),
                    [](const QPointer<QWidget>& window) { return !window.isNull(); });
    if (windowsOpen) {
        static_cast<void>(application_.release());
    }
    // Windows unloaded from their own events are deleted here at the latest.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int QtUi::messageBox(std::string_view text, int style, std::string_view title) {
    return showMessageBox(text, style, title);
}

void QtUi::doEvents() {
    QApplication::processEvents();
}

std::unique_ptr<TrayWindowView> QtUi::openTrayWindow(const TrayWindowContent& content,
                                                     TrayWindowEvents& events) {
    return std::make_unique<QtTrayWindowView>(content, events, loop_);
}

std::unique_ptr<SettingsWindowView> QtUi::openSettingsWindow(const SettingsWindowContent& content,
                                                             SettingsWindowEvents& events) {
    return std::make_unique<QtSettingsWindowView>(content, events, loop_);
}

std::unique_ptr<MakingPdfWindowView>
QtUi::openMakingPdfWindow(const MakingPdfWindowContent& content, MakingPdfWindowEvents& events) {
    return std::make_unique<QtMakingPdfWindowView>(content, events);
}

void QtUi::runEventLoop() {
    loop_.run();
}

void QtUi::quitEventLoop() {
    loop_.quit();
}

void QtUi::repeatWhileRunning(std::chrono::milliseconds interval, std::function<void()> action) {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, std::move(action));
    timer->start(interval);
    repeats_.push_back(std::move(timer));
}

void QtUi::showComposeWindow(ComposeWindow& window) {
    ComposeWindowDialog dialog(window);
    dialog.exec();
}

int QtUi::pickFolder(const std::vector<std::string>& folderPaths) {
    return pickFolderDialog(folderPaths);
}

void QtUi::showItemWindow(const ItemWindowContent& content) {
    std::erase_if(itemWindows_, [](const QPointer<QWidget>& window) { return window.isNull(); });
    itemWindows_.emplace_back(openItemWindow(content));
}

std::string QtUi::saveFileName(std::string_view title, std::string_view suggested) {
    const QString chosen = QFileDialog::getSaveFileName(nullptr, qs(title), qs(suggested),
                                                        QStringLiteral("PDF (*.pdf)"));
    return chosen.toStdString();
}

namespace {

// A filter in the runtime's form, "Tekst (*.txt;*.doc)|*.txt;*.doc|...", as
// the dialog's: "Tekst (*.txt *.doc);;...".
QString dialogFilter(std::string_view filter) {
    const QStringList parts = qs(filter).split(QChar('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(QChar(';')).join(QChar(' '));
        filters << (parts[i].contains(QChar('(')) ? parts[i] : parts[i] + " (" + patterns + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace

// A name given with the folder is what the dialog's name field holds at first.
std::string QtUi::openFileName(std::string_view title, std::string_view filter,
                               std::string_view folder, std::string_view fileName) {
    const QString start = fileName.empty() ? qs(folder) : QDir(qs(folder)).filePath(qs(fileName));
    return QFileDialog::getOpenFileName(nullptr, qs(title), start, dialogFilter(filter))
        .toStdString();
}

std::string QtUi::chooseFolder(std::string_view title, std::string_view folder) {
    return QFileDialog::getExistingDirectory(nullptr, qs(title), qs(folder)).toStdString();
}

void QtUi::showTextWindow(const TextWindowContent& content, TextWindowEvents& events) {
    TextWindowDialog dialog(content, events);
    dialog.exec();
}

std::unique_ptr<NamingDialogView> QtUi::openNamingDialog(const NamingDialogContent& content,
                                                         NamingDialogEvents& events) {
    return std::make_unique<QtNamingDialogView>(content, events);
}

std::unique_ptr<TransferDialogView> QtUi::openTransferDialog(const TransferDialogContent& content,
                                                             TransferDialogEvents& events) {
    return std::make_unique<QtTransferDialogView>(content, events);
}

} // namespace lexi::qt
