#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace lexi {
namespace {

using Calls = std::vector<std::string>;

TEST(SettingsWindowViewTest, DrawsTheModelWholeAndForwardsEachEvent) {
    testing::RecordingModels model;
    auto view = testing::offscreenUi().openSettingsWindow(
        {"Lexitray", "Indstillinger", "Lokaldrev", "C:\\Sager\\", "Benyt mailhistorik", true, "OK"},
        model);
    QWidget* window = testing::topLevelWindow("frmIndstillinger");
    ASSERT_NE(window, nullptr);
    view->show();
    EXPECT_EQ(window->windowTitle(), "Lexitray");
    EXPECT_EQ(window->size(), QSize(391, 115));
    EXPECT_EQ(window->findChild<QGroupBox*>("Frame1")->title(), "Indstillinger");
    auto* folder = window->findChild<QLineEdit*>("fldLokaldrev");
    auto* tick = window->findChild<QCheckBox*>("CheckMailHistorik");
    auto* ok = window->findChild<QPushButton*>("Okknap");
    EXPECT_EQ(folder->text(), "C:\\Sager\\");
    EXPECT_TRUE(tick->isChecked());
    for (QWidget* widget : std::initializer_list<QWidget*>{tick, ok}) {
        EXPECT_LE(widget->sizeHint().width(), widget->width());
    }

    folder->selectAll();
    QTest::keyClicks(folder, "D:Ø");
    QTest::mouseClick(tick, Qt::LeftButton);
    QTest::mouseClick(ok, Qt::LeftButton);
    window->close();
    EXPECT_EQ(model.calls,
              (Calls{"folder D", "folder D:", "folder D:Ø", "unticked", "OK", "close"}));
    EXPECT_TRUE(window->isVisible()) << "whether the window closes is the model's business";

    view.reset();
    EXPECT_EQ(testing::topLevelWindow("frmIndstillinger"), nullptr);
}

} // namespace
} // namespace lexi
