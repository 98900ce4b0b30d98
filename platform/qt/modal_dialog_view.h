#pragma once

#include <QDialog>
#include <QPointer>

namespace lexi::qt {

// The core's view of a dialog that `Widget` draws: it makes the widget from
// the model's content and events, draws the model's state on it and shows it
// modally until the model hides it. The model's last event may come from the
// dialog itself, so the widget goes once that event is over.
template <typename View, typename Widget, typename State> class ModalDialogView : public View {
public:
    template <typename Content, typename Events>
    ModalDialogView(const Content& content, Events& events)
        : widget_(new Widget(content, events)) {}
    ~ModalDialogView() override {
        if (widget_) {
            widget_->hide();
            widget_->deleteLater();
        }
    }

    void update(const State& state) override { widget_->draw(state); }
    void showModal() override { widget_->exec(); }
    void hide() override {
        if (widget_->isVisible()) {
            widget_->done(QDialog::Accepted);
        }
    }

protected:
    QPointer<Widget> widget_;
};

} // namespace lexi::qt
