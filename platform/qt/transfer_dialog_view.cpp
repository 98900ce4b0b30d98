#include "platform/qt/transfer_dialog_view.h"

#include "platform/outlook.h"
#include "platform/qt/artwork.h"
#include "platform/qt/qt_conversions.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>

namespace lexi::qt {
namespace {

// The frame around the client area, which the model's window size includes.
constexpr int FrameSides = 8;
constexpr int FrameHeight = 34;

// What each column's heading shows: a symbol for the narrow ones, whose
// heading is then their tool tip.
constexpr const char* HeadingShown[] = {"",     "!",        "\u2709",    "",      "Fra",
                                        "Emne", "Modtaget", "Størrelse", "\u2691"};
static_assert(std::size(HeadingShown) == TransferColumnCount);

QString classSymbol(int itemClass) {
    switch (itemClass) {
    case outlook::ClassMail:
        return QStringLiteral("\u2709");
    case outlook::ClassReport:
        return QStringLiteral("\u26A0");
    case outlook::ClassMeetingRequest:
    case outlook::ClassMeetingCancellation:
    case outlook::ClassAppointment:
        return QStringLiteral("\u25A6");
    case outlook::ClassContact:
        return QStringLiteral("\u263A");
    case outlook::ClassTask:
        return QStringLiteral("\u2611");
    default:
        return QStringLiteral("\u2022");
    }
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QTableWidgetItem* symbolCell(const QString& text, const QColor& colour = {}) {
    QTableWidgetItem* item = cell(text);
    item->setTextAlignment(Qt::AlignCenter);
    if (colour.isValid()) {
        item->setForeground(colour);
    }
    return item;
}

template <typename Button> Button* button(QWidget* parent, const char* name) {
    auto* made = new Button(parent);
    made->setObjectName(qs(name));
    return made;
}

void place(QWidget* widget, const TwipsRect& at) {
    widget->setGeometry(pixels(at.left), pixels(at.top), pixels(at.width), pixels(at.height));
}

} // namespace

TransferDialogWidget::TransferDialogWidget(const TransferDialogContent& content,
                                           TransferDialogEvents& events)
    : events_(events), table_(new QTableWidget(this)),
      previous_(button<QToolButton>(this, "ForrigeKnap")),
      lookup_(button<QToolButton>(this, "OpslagKnap")),
      next_(button<QToolButton>(this, "NæsteKnap")),
      transfer_(button<QPushButton>(this, "OverførKnap")),
      cancel_(button<QPushButton>(this, "AnnullerKnap")) {
    setObjectName(QStringLiteral("frmOutlook"));
    setWindowIcon(programIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    setSizeGripEnabled(true);
    setMinimumSize(pixels(content.minimumWidth) - FrameSides,
                   pixels(content.minimumHeight) - FrameHeight);

    table_->setObjectName(QStringLiteral("olView"));
    table_->setAccessibleName(qs(content.viewName));
    QFont small = table_->font();
    small.setPointSize(8);
    table_->setFont(small);
    table_->setColumnCount(TransferColumnCount);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setShowGrid(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setFont(small);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    for (int column = 0; column < table_->columnCount(); ++column) {
        const TransferColumn& it = TransferColumns[column];
        auto* heading = new QTableWidgetItem(qs(HeadingShown[column]));
        heading->setToolTip(qs(it.heading));
        table_->setHorizontalHeaderItem(column, heading);
        const int shownWidth = header->fontMetrics().horizontalAdvance(heading->text()) + 16;
        table_->setColumnWidth(column, std::max({it.width, shownWidth, 22}));
    }
    table_->horizontalHeaderItem(AttachmentColumn)
        ->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    // The subject takes the width the others leave.
    header->setSectionResizeMode(SubjectColumn, QHeaderView::Stretch);
    // The items come newest first.
    header->setSortIndicatorShown(true);
    header->setSortIndicator(ReceivedColumn, Qt::DescendingOrder);
    header->setSectionsClickable(false);

    previous_->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    lookup_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    lookup_->setToolTip(qs(content.lookupTip));
    next_->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    transfer_->setText(qs(content.transferCaption));
    transfer_->setToolTip(qs(content.transferTip));
    transfer_->setDefault(true);
    cancel_->setText(qs(content.cancelCaption));
    setTabOrder(transfer_, next_);
    setTabOrder(next_, lookup_);
    setTabOrder(lookup_, previous_);
    setTabOrder(previous_, cancel_);

    connect(previous_, &QToolButton::clicked, this, [&events] { events.previousClicked(); });
    connect(lookup_, &QToolButton::clicked, this, [&events] { events.lookupClicked(); });
    connect(next_, &QToolButton::clicked, this, [&events] { events.nextClicked(); });
    connect(transfer_, &QPushButton::clicked, this, [&events] { events.transferClicked(); });
    connect(cancel_, &QPushButton::clicked, this, [&events] { events.cancelClicked(); });
}

void TransferDialogWidget::draw(const TransferDialogState& state) {
    drawing_ = true;
    setWindowTitle(qs(state.caption));
    previous_->setToolTip(qs(state.previousTip));
    next_->setToolTip(qs(state.nextTip));
    const QSize client(pixels(state.window.width) - FrameSides,
                       pixels(state.window.height) - FrameHeight);
    if (!isVisible()) {
        move(pixels(state.window.left), pixels(state.window.top));
    }
    if (size() != client) {
        resize(client);
    }
    place(table_, state.view);
    place(previous_, state.previousButton);
    place(lookup_, state.lookupButton);
    place(next_, state.nextButton);
    place(transfer_, state.transferButton);
    place(cancel_, state.cancelButton);
    if (state.rows != rows_) {
        fill(state.rows);
    }
    drawing_ = false;
}

void TransferDialogWidget::fill(const std::vector<TransferRow>& rows) {
    rows_ = rows;
    table_->clearContents();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const TransferRow& row = rows[static_cast<std::size_t>(r)];
        table_->setItem(r, HeaderStatusColumn, cell({}));
        table_->setItem(r, ImportanceColumn,
                        row.importance == outlook::ImportanceHigh
                            ? symbolCell(QStringLiteral("!"), Qt::red)
                        : row.importance == outlook::ImportanceLow
                            ? symbolCell(QStringLiteral("\u2193"), Qt::blue)
                            : symbolCell({}));
        table_->setItem(r, ClassColumn, symbolCell(classSymbol(row.itemClass)));
        QTableWidgetItem* attachment = symbolCell({});
        if (row.attachment) {
            attachment->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
        }
        table_->setItem(r, AttachmentColumn, attachment);
        table_->setItem(r, FromColumn, cell(qs(row.from)));
        table_->setItem(r, SubjectColumn, cell(qs(row.subject)));
        table_->setItem(r, ReceivedColumn, cell(qs(row.received)));
        QTableWidgetItem* size = cell(qs(row.size));
        size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(r, SizeColumn, size);
        table_->setItem(
            r, FlagColumn,
            row.flagStatus == outlook::FlagMarked ? symbolCell(QStringLiteral("\u2691"), Qt::red)
            : row.flagStatus == outlook::FlagComplete ? symbolCell(QStringLiteral("\u2713"))
                                                      : symbolCell({}));
    }
    table_->clearSelection();
}

std::vector<int> TransferDialogWidget::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

TwipsRect TransferDialogWidget::placement() const {
    return {twips(x()), twips(y()), twips(width() + FrameSides), twips(height() + FrameHeight)};
}

void TransferDialogWidget::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!drawing_ && isVisible()) {
        events_.resized(placement(), isMinimized());
    }
}

// The model hides the dialog when it is done with the close.
void TransferDialogWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (isVisible()) {
        events_.closeClicked();
    }
}

void TransferDialogWidget::reject() {
    events_.closeClicked();
}

std::vector<int> QtTransferDialogView::selectedRows() {
    return widget_->selectedRows();
}

TwipsRect QtTransferDialogView::placement() {
    return widget_->placement();
}

} // namespace lexi::qt
