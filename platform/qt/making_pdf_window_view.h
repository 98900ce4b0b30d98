#pragma once

#include "platform/ui.h"

#include <QPointer>
#include <QWidget>

namespace lexi::qt {

// frmMakingPDF drawn with Qt Widgets: the title and the one button. It
// forwards the button and the close box to the model and stays until the
// model unloads it.
class MakingPdfWindowWidget final : public QWidget {
public:
    MakingPdfWindowWidget(const MakingPdfWindowContent& content, MakingPdfWindowEvents& events);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MakingPdfWindowEvents& events_;
};

class QtMakingPdfWindowView final : public MakingPdfWindowView {
public:
    QtMakingPdfWindowView(const MakingPdfWindowContent& content, MakingPdfWindowEvents& events);
    ~QtMakingPdfWindowView() override;

    void bringToFront() override;

private:
    QPointer<MakingPdfWindowWidget> widget_;
};

} // namespace lexi::qt
