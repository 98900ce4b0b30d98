#include "platform/qt/naming_dialog_view.h"

#include "platform/qt/artwork.h"
#include "platform/qt/qt_conversions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace lexi::qt {
namespace {

// The title bar and the frame, which the window's height includes.
constexpr int FrameHeight = 30;
constexpr int Width = 400;
constexpr int FieldWidth = Width - 16;

template <typename Widget>
Widget* placed(QWidget* parent, const char* name, int x, int y, int width, int height) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, width, height);
    return widget;
}

// Sets a field's text only when it changed, so the user's cursor stays;
// true when it did.
bool setText(QLineEdit* field, const std::string& text) {
    const QString value = qs(text);
    if (field->text() == value) {
        return false;
    }
    field->setText(value);
    return true;
}

} // namespace

NamingDialogWidget::NamingDialogWidget(const NamingDialogContent& content,
                                       NamingDialogEvents& events)
    : events_(events) {
    setObjectName(QStringLiteral("frmFlet"));
    setWindowTitle(qs(content.title));
    setWindowIcon(programIcon());
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(Width, pixels(content.height) - FrameHeight);

    placed<QLabel>(this, "Label1", 8, 8, FieldWidth, 18)->setText(qs(content.heading));
    source_ = placed<QLabel>(this, "lbFilnavn", 8, 28, FieldWidth, 18);
    placed<QLabel>(this, "Label2", 8, 52, 180, 18)->setText(qs(content.nameCaption));
    placed<QLabel>(this, "Label3", 200, 52, 192, 18)->setText(qs(content.convertCaption));
    name_ = placed<QLineEdit>(this, "txtFilnavn", 8, 70, FieldWidth, 24);
    clean_ = placed<QCheckBox>(this, "chkClean", 8, 100, 220, 20);
    clean_->setText(qs(content.cleanCaption));
    passwordLabel_ = placed<QLabel>(this, "lblPassword", 8, 126, 200, 18);
    passwordLabel_->setText(qs(content.passwordCaption));
    password_ = placed<QLineEdit>(this, "txtPassword", 8, 144, 200, 24);
    password_->setEchoMode(QLineEdit::Password);
    password_->setToolTip(qs(content.passwordTip));
    passwordLabel_->setBuddy(password_);
    useTemplate_ = placed<QCheckBox>(this, "chkUsePDFTemplate", 8, 172, 220, 20);
    useTemplate_->setText(qs(content.templateCaption));
    template_ = placed<QLineEdit>(this, "fldPDFTemplate", 8, 196, 190, 24);
    lookup_ = placed<QToolButton>(this, "knpLookup", 202, 196, 24, 24);
    lookup_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    auto* ok = placed<QPushButton>(this, "Command1", pixels(content.okLeft), pixels(content.okTop),
                                   80, 26);
    ok->setText(qs(content.okCaption));
    ok->setDefault(true);
    for (QWidget* pdf : std::initializer_list<QWidget*>{passwordLabel_, password_, useTemplate_,
                                                        template_, lookup_}) {
        pdf->setVisible(content.pdfControls);
    }

    connect(name_, &QLineEdit::textEdited, this,
            [&events](const QString& text) { events.nameEdited(text.toStdString()); });
    connect(password_, &QLineEdit::textEdited, this,
            [&events](const QString& text) { events.passwordEdited(text.toStdString()); });
    connect(template_, &QLineEdit::textEdited, this,
            [&events](const QString& text) { events.templateEdited(text.toStdString()); });
    connect(clean_, &QCheckBox::clicked, this, [&events](bool on) { events.cleanTicked(on); });
    connect(useTemplate_, &QCheckBox::clicked, this,
            [&events](bool on) { events.useTemplateClicked(on); });
    connect(lookup_, &QToolButton::clicked, this, [&events] { events.lookupClicked(); });
    connect(ok, &QPushButton::clicked, this, [&events] { events.okClicked(); });
}

void NamingDialogWidget::draw(const NamingDialogState& state) {
    source_->setText(qs(state.source));
    source_->setToolTip(qs(state.source));
    if (setText(name_, state.name) || state.selectionStart != selectionStart_ ||
        state.selectionLength != selectionLength_) {
        selectionStart_ = state.selectionStart;
        selectionLength_ = state.selectionLength;
        name_->setSelection(selectionStart_, selectionLength_);
    }
    clean_->setChecked(state.clean);
    setText(password_, state.password);
    useTemplate_->setChecked(state.useTemplate);
    setText(template_, state.templatePath);
    passwordLabel_->setEnabled(state.pdfEnabled);
    password_->setEnabled(state.pdfEnabled);
    useTemplate_->setEnabled(state.pdfEnabled);
    template_->setEnabled(state.templateEnabled);
    lookup_->setEnabled(state.templateEnabled);
    const QColor background = state.pdfBoxesLikeName ? name_->palette().color(QPalette::Base)
                                                     : palette().color(QPalette::Window);
    for (QLineEdit* box : {password_, template_}) {
        QPalette colours = box->palette();
        colours.setColor(QPalette::Base, background);
        box->setPalette(colours);
    }
}

void NamingDialogWidget::focus(NamingControl control) {
    raise();
    activateWindow();
    switch (control) {
    case NamingControl::Name:
        name_->setFocus();
        break;
    case NamingControl::Password:
        password_->setFocus();
        break;
    case NamingControl::UseTemplate:
        useTemplate_->setFocus();
        break;
    case NamingControl::Clean:
        clean_->setFocus();
        break;
    case NamingControl::Template:
        template_->setFocus();
        break;
    }
}

void NamingDialogWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F6) {
        events_.functionKey(event->key() - Qt::Key_F1 + 1);
        return;
    }
    QDialog::keyPressEvent(event);
}

// The model hides the dialog when it is done with the close.
void NamingDialogWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    events_.closeClicked();
}

void QtNamingDialogView::focus(NamingControl control) {
    widget_->focus(control);
}

} // namespace lexi::qt
