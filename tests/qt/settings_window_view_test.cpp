#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(SettingsWindowViewTest, DrawsTheModelWholeAndForwardsEachEvent) {
    testing::RecordingModels model;
    auto view = testing::offscreenUi().openSettingsWindow(
        {"Lexitray", "Indstillinger", "Lokaldrev", "C:\\Sager\\", "Benyt mailhistorik", true, "OK"},
        model);
    QWidget* window = testing::topLevelWindow("frmIndstillinger");
    ASSERT_NE(window, nullptr);
    view->show();
    auto* folder = window->findChild<QLineEdit*>("fldLokaldrev");
    auto* tick = window->findChild<QCheckBox*>("CheckMailHistorik");
    auto* ok = window->findChild<QPushButton*>("Okknap");
    EXPECT_EQ(window->windowTitle() + "|" + window->findChild<QGroupBox*>("Frame1")->title() + "|" +
                  folder->text() + (tick->isChecked() ? "|ticked" : ""),
              "Lexitray|Indstillinger|C:\\Sager\\|ticked");
    EXPECT_TRUE(tick->sizeHint().width() <= tick->width() && ok->sizeHint().width() <= ok->width());

    folder->selectAll();
    QTest::keyClicks(folder, "D:Ø");
    QTest::mouseClick(tick, Qt::LeftButton);
    QTest::mouseClick(ok, Qt::LeftButton);
    window->close();
    EXPECT_EQ(model.calls, (std::vector<std::string>{"folder D", "folder D:", "folder D:Ø",
                                                     "unticked", "OK", "close"}));
    EXPECT_TRUE(window->isVisible()) << "whether the window closes is the model's business";
    view.reset();
    EXPECT_EQ(testing::topLevelWindow("frmIndstillinger"), nullptr);
}

} // namespace
} // namespace lexi
