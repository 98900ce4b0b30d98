#include "tests/qt/offscreen_ui.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

struct RecordingEvents final : TransferDialogEvents {
    void previousClicked() override { calls.push_back("previous"); }
    void lookupClicked() override { calls.push_back("lookup"); }
    void nextClicked() override { calls.push_back("next"); }
    void transferClicked() override { calls.push_back("transfer"); }
    void cancelClicked() override { calls.push_back("cancel"); }
    void closeClicked() override { calls.push_back("close"); }
    void resized(const TwipsRect& window, bool) override {
        calls.push_back("resized " + std::to_string(window.width));
    }
    std::vector<std::string> calls;
};

// A folder of 30 mails, newest first, laid out as the model lays out the
// design size.
TransferDialogState folderOfThirty() {
    TransferDialogState state{"Indbakke",
                              "Slettet post",
                              "Sendt post",
                              {},
                              {0, 0, 10755, 7890},
                              {105, 105, 10430, 6690},
                              {120, 6940, 375, 320},
                              {600, 6940, 375, 320},
                              {1080, 6940, 375, 320},
                              {7955, 6940, 1250, 320},
                              {9280, 6940, 1250, 320}};
    for (int i = 0; i < 30; ++i) {
        char received[32];
        std::snprintf(received, sizeof received, "%02d-05-2026 %02d:%02d", 30 - i, 17 - i % 9,
                      (59 * i) % 60);
        state.rows.push_back({i % 7 == 3 ? 46 : 43, i % 5 == 0 ? 2 : 1, i % 3 == 0,
                              i % 4 == 1 ? 2 : 0, "Advokat Jens Ærø " + std::to_string(i),
                              "Sag 1234-" + std::to_string(i) + ": Stævning og bilag til retten",
                              received, std::to_string(3 + i * 7) + " KB"});
    }
    return state;
}

// Draws the model's rows and tips, lets several rows be selected and tells
// the model of every click and resize. With LEXITRAY_SHOTS set (a folder;
// run under Xvfb) it saves the screen with each navigation button's tip.
TEST(TransferDialogViewTest, ShowsTheFolderAndForwardsEachEvent) {
    RecordingEvents events;
    auto view = testing::offscreenUi().openTransferDialog(
        {"Meddelelser", "Opslag", "&Overfør", "Overfør til Navision", "&Annuller", 5000, 3000},
        events);
    auto* dialog = qobject_cast<QDialog*>(testing::topLevelWindow("frmOutlook"));
    ASSERT_NE(dialog, nullptr);
    view->update(folderOfThirty());
    auto* table = dialog->findChild<QTableWidget*>("olView");
    QStringList headings;
    for (int c = 0; c < table->columnCount(); ++c) {
        headings << table->horizontalHeaderItem(c)->toolTip();
    }
    EXPECT_EQ(headings.join(","), "Brevhovedstatus,Prioritet,Ikon,Vedhæftet fil,Fra,Emne,Modtaget,"
                                  "Størrelse,Flagstatus");
    EXPECT_EQ(table->item(1, 6)->text(), "29-05-2026 16:59");
    const auto tip = [&](const char* button) {
        return dialog->findChild<QAbstractButton*>(button)->toolTip().toStdString();
    };
    EXPECT_EQ(tip("ForrigeKnap") + "|" + tip("OpslagKnap") + "|" + tip("NæsteKnap") + "|" +
                  tip("OverførKnap"),
              "Slettet post|Opslag|Sendt post|Overfør til Navision");
    QTimer::singleShot(0, [&] {
        table->selectRow(4);
        table->selectionModel()->select(table->model()->index(2, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        EXPECT_EQ(view->selectedRows(), (std::vector<int>{2, 4}));
        for (const char* button :
             {"ForrigeKnap", "OpslagKnap", "NæsteKnap", "OverførKnap", "AnnullerKnap"}) {
            QTest::mouseClick(dialog->findChild<QAbstractButton*>(button), Qt::LeftButton);
        }
        dialog->resize(600, 400);
        if (const QString shots = qEnvironmentVariable("LEXITRAY_SHOTS"); !shots.isEmpty()) {
            view->update(folderOfThirty());
            QTest::qWait(500);
            for (const char* button : {"ForrigeKnap", "OpslagKnap", "NæsteKnap"}) {
                auto* at = dialog->findChild<QWidget*>(button);
                QToolTip::showText(at->mapToGlobal(QPoint(4, 4)), at->toolTip(), at);
                QTest::qWait(400);
                QGuiApplication::primaryScreen()->grabWindow(0).save(shots + "/frmOutlook-" +
                                                                     at->toolTip() + ".png");
            }
        }
        dialog->close();
        view->hide();
    });
    view->showModal();
    EXPECT_EQ(events.calls, (std::vector<std::string>{"previous", "lookup", "next", "transfer",
                                                      "cancel", "resized 9120", "close"}));
}

} // namespace
} // namespace lexi
