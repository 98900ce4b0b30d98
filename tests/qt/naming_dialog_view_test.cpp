#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(NamingDialogViewTest, DrawsTheModelsStateOnTopAndForwardsEachEvent) {
    testing::RecordingModels model;
    auto view = testing::offscreenUi().openNamingDialog(
        {"Lexitray", "Checker", "Vedhæft som filnavn", "&Rens dokument", "Konvertere",
         "PDF password", "Følsomt", "Brug &PDF baggrund", "&OK", 4000, 3100, 3500, true},
        model);
    QWidget* dialog = testing::topLevelWindow("frmFlet");
    ASSERT_NE(dialog, nullptr);
    NamingDialogState state{"C:\\Sager\\brev.pdf", "brev.pdf", 0,     8,   true, "hemmelig", false,
                            "C:\\T\\a.pdf",        true,       false, true};
    view->update(state);
    auto* name = dialog->findChild<QLineEdit*>("txtFilnavn");
    auto* password = dialog->findChild<QLineEdit*>("txtPassword");
    auto* ok = dialog->findChild<QPushButton*>("Command1");
    EXPECT_EQ(dialog->findChild<QLabel*>("lbFilnavn")->text() + "|" + name->selectedText() + "|" +
                  password->toolTip() + "|" + ok->text(),
              "C:\\Sager\\brev.pdf|brev.pdf|Følsomt|&OK");
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(password->isEnabled() && dialog->findChild<QCheckBox*>("chkClean")->isChecked());
    EXPECT_FALSE(dialog->findChild<QLineEdit*>("fldPDFTemplate")->isEnabled());
    EXPECT_EQ(dialog->height(), 4000 / 15 - 30);
    EXPECT_LE(ok->geometry().bottom(), dialog->height());

    QTimer::singleShot(0, [&] {
        QTest::keyClicks(name, "x");
        QTest::keyClick(name, Qt::Key_F6);
        QTest::mouseClick(dialog->findChild<QCheckBox*>("chkUsePDFTemplate"), Qt::LeftButton);
        QTest::mouseClick(ok, Qt::LeftButton);
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
