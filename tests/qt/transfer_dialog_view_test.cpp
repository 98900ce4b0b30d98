#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

// A folder of 30 mails, newest first, at the design size.
TransferDialogState folderOfThirty() {
    TransferDialogState state{
        "Indbakke", "Slettet post", "Sendt post", {}, {0, 0, 10755, 7890}, {}, {}, {}, {}, {}, {}};
    state.view = {105, 105, 10430, 6690};
    state.previousButton = {120, 6940, 375, 320};
    state.lookupButton = {600, 6940, 375, 320};
    state.nextButton = {1080, 6940, 375, 320};
    state.transferButton = {7955, 6940, 1250, 320};
    state.cancelButton = {9280, 6940, 1250, 320};
    for (int i = 0; i < 30; ++i) {
        const std::string n = std::to_string(i), day = (i > 20 ? "0" : "") + std::to_string(30 - i);
        state.rows.push_back(
            {i % 7 == 3 ? 46 : 43, i % 5 == 0 ? 2 : 1, i % 3 == 0, i % 4 == 1 ? 2 : 0,
             "Advokat Jens Ærø " + n, "Sag 1234-" + n + ": Stævning og bilag",
             day + "-05-2026 1" + n.back() + ":0" + n.back(), std::to_string(3 + 10 * i) + " KB"});
    }
    return state;
}

// Draws the model's rows and tips, lets several rows be selected and tells
// the model of every click and resize. With LEXITRAY_SHOTS set (a folder;
// run under Xvfb) it saves the screen with each navigation button's tip.
TEST(TransferDialogViewTest, ShowsTheFolderAndForwardsEachEvent) {
    testing::RecordingModels events;
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
    EXPECT_EQ(table->item(1, 6)->text(), "29-05-2026 11:01");
    QString tips;
    QTimer::singleShot(0, [&] {
        table->selectRow(4);
        table->selectionModel()->select(table->model()->index(2, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        EXPECT_EQ(view->selectedRows(), (std::vector<int>{2, 4}));
        for (const char* button :
             {"ForrigeKnap", "OpslagKnap", "NæsteKnap", "OverførKnap", "AnnullerKnap"}) {
            auto* clicked = dialog->findChild<QAbstractButton*>(button);
            tips += clicked->toolTip() + "|";
            QTest::mouseClick(clicked, Qt::LeftButton);
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
                                                      "Annuller", "resized 9120", "close"}));
    EXPECT_EQ(tips, "Slettet post|Opslag|Sendt post|Overfør til Navision||");
}

} // namespace
} // namespace lexi
