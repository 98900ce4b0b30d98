#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

// The window is up as soon as it is loaded, and a click that comes while a
// wait lets messages run reaches the model there and then.
TEST(MakingPdfWindowViewTest, ShownAtLoadingItsClickTakenWhenMessagesRun) {
    testing::RecordingModels model;
    qt::QtUi& ui = testing::offscreenUi();
    auto view = ui.openMakingPdfWindow({"Lexitray", "Annuller"}, model);
    QWidget* window = testing::topLevelWindow("frmMakingPDF");
    ASSERT_NE(window, nullptr);
    auto* cancel = window->findChild<QPushButton*>("AnnullerKnap");
    EXPECT_EQ(window->windowTitle() + "|" + cancel->text() + (window->isVisible() ? "|shown" : ""),
              "Lexitray|Annuller|shown");
    EXPECT_TRUE(cancel->sizeHint().width() <= cancel->width());
    QMetaObject::invokeMethod(cancel, &QPushButton::click, Qt::QueuedConnection);
    view->bringToFront();
    EXPECT_TRUE(model.calls.empty());
    ui.doEvents();
    window->close();
    EXPECT_EQ(model.calls, (std::vector<std::string>{"Annuller", "close"}));
    EXPECT_TRUE(window->isVisible()) << "the model unloads it when the wait is over";
    view.reset();
    EXPECT_EQ(testing::topLevelWindow("frmMakingPDF"), nullptr);
}

} // namespace
} // namespace lexi
