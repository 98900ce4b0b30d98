#include "platform/qt/text_window_view.h"
#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

TextWindowContent content(bool locked) {
    return {"Notat",
            "første linje\r\nanden",
            locked,
            6000,
            4000,
            {60, 60, 5700, 2800},
            {3000, 3000, 1250, 320},
            {4400, 3000, 1250, 320},
            !locked,
            "OK",
            "Annuller"};
}

// The text keeps its line breaks both ways, and each way out tells the model
// exactly once.
TEST(TextWindowViewTest, ShowsTheTextWithItsLinesAndTellsTheModelOnce) {
    testing::offscreenUi();
    const struct {
        bool locked;
        const char* button; // clicked, or none for Escape in the text box
        std::string told;
    } cases[] = {
        {false, "OKknap", "OK første linje\r\nanden x"},
        {false, "AnnullerKnap", "Annuller"},
        {false, nullptr, "escape"},
    };
    for (const auto& c : cases) {
        testing::RecordingModels events;
        qt::TextWindowDialog dialog(content(c.locked), events);
        auto* text = dialog.findChild<QPlainTextEdit*>("fldText");
        EXPECT_EQ(text->toPlainText().toStdString(), "første linje\nanden");
        QTimer::singleShot(0, [&] {
            text->moveCursor(QTextCursor::End);
            QTest::keyClicks(text, " x");
            if (c.button) {
                QTest::mouseClick(dialog.findChild<QPushButton*>(c.button), Qt::LeftButton);
            } else {
                QTest::keyClick(text, Qt::Key_Escape);
            }
            dialog.reject();
        });
        dialog.exec();
        EXPECT_EQ(events.calls, std::vector<std::string>{c.told});
    }
    testing::RecordingModels events;
    qt::TextWindowDialog locked(content(true), events);
    EXPECT_TRUE(locked.findChild<QPlainTextEdit*>("fldText")->isReadOnly() &&
                locked.findChild<QPushButton*>("OKknap")->isHidden());
}

} // namespace
} // namespace lexi
