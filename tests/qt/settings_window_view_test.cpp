#include "tests/qt/offscreen_ui.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace lexi {
namespace {

using Calls = std::vector<std::string>;

struct SettingsModel : SettingsWindowEvents {
    Calls calls;
    void folderEdited(const std::string& folder) override { calls.push_back("folder " + folder); }
    void mailHistoryTicked(bool ticked) override {
        calls.push_back(ticked ? "ticked" : "unticked");
    }
    void okClicked() override { calls.push_back("OK"); }
    void closeClicked() override { calls.push_back("close"); }
};

class SettingsWindowViewTest : public ::testing::Test {
protected:
    SettingsWindowViewTest()
        : view(testing::offscreenUi().openSettingsWindow({"Lexitray", "Indstillinger", "Lokaldrev",
                                                          "C:\\Sager\\", "Benyt mailhistorik", true,
                                                          "OK"},
                                                         model)),
          window(testing::topLevelWindow("frmIndstillinger")) {
        view->show();
    }

    template <typename Control> Control* control(const char* name) const {
        return window->findChild<Control*>(name);
    }

    SettingsModel model;
    std::unique_ptr<SettingsWindowView> view;
    QWidget* window;
};

TEST_F(SettingsWindowViewTest, ShowsTheCaptionsAndValuesWhole) {
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Lexitray");
    EXPECT_EQ(window->size(), QSize(391, 115));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), "Indstillinger");
    EXPECT_EQ(control<QLineEdit>("fldLokaldrev")->text(), "C:\\Sager\\");
    EXPECT_TRUE(control<QCheckBox>("CheckMailHistorik")->isChecked());
    for (QWidget* widget : std::initializer_list<QWidget*>{control<QLabel>("Label1"),
                                                           control<QCheckBox>("CheckMailHistorik"),
                                                           control<QPushButton>("Okknap")}) {
        EXPECT_LE(widget->sizeHint().width(), widget->width())
            << widget->objectName().toStdString();
        EXPECT_LE(widget->sizeHint().height(), widget->height())
            << widget->objectName().toStdString();
    }
}

TEST_F(SettingsWindowViewTest, ForwardsEditsTheTickOkAndTheCloseBox) {
    QLineEdit* folder = control<QLineEdit>("fldLokaldrev");
    folder->selectAll();
    QTest::keyClicks(folder, "D:\\Ø");
    QTest::mouseClick(control<QCheckBox>("CheckMailHistorik"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("Okknap"), Qt::LeftButton);
    window->close();
    EXPECT_EQ(model.calls, (Calls{"folder D", "folder D:", "folder D:\\", "folder D:\\Ø",
                                  "unticked", "OK", "close"}));
    // Whether the window closes is the model's business.
    EXPECT_TRUE(window->isVisible());
}

TEST_F(SettingsWindowViewTest, DestroyingTheViewClosesTheWindow) {
    view.reset();
    EXPECT_EQ(testing::topLevelWindow("frmIndstillinger"), nullptr);
}

} // namespace
} // namespace lexi
