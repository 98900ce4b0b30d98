#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(NamingDialogViewTest, DrawsTheModelsStateOnTopAndForwardsEachEvent) {
    testing::RecordingModels model;
    auto view = testing::offscreenUi().openNamingDialog({"Lexitray", "", "", "", "", "", "Følsomt",
                                                         "Brug &PDF baggrund", "&OK", 4000, 3100,
                                                         3500, true},
                                                        model);
    QWidget* dialog = testing::topLevelWindow("frmFlet");
    ASSERT_NE(dialog, nullptr);
    view->update({"C:\\S\\brev.pdf", "brev.pdf", 0, 8, true, "x", false, "", true, false, true});
    auto* name = dialog->findChild<QLineEdit*>("txtFilnavn");
    auto* password = dialog->findChild<QLineEdit*>("txtPassword");
    EXPECT_EQ(name->selectedText() + password->toolTip(), "brev.pdfFølsomt");
    EXPECT_TRUE((dialog->windowFlags() & Qt::WindowStaysOnTopHint) &&
                password->echoMode() == QLineEdit::Password && password->isEnabled() &&
                !dialog->findChild<QToolButton*>("knpLookup")->isEnabled());
    QTimer::singleShot(0, [&] {
        QTest::keyClicks(name, "x");
        QTest::keyClick(name, Qt::Key_F6);
        QTest::mouseClick(dialog->findChild<QCheckBox*>("chkUsePDFTemplate"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        dialog->close();
        view->hide();
    });
    view->showModal();
    EXPECT_EQ(model.calls, (std::vector<std::string>{"name x", "F6", "use", "OK", "close"}));
    view.reset();
    EXPECT_EQ(testing::topLevelWindow("frmFlet"), nullptr);
}

} // namespace
} // namespace lexi
