// FrmCheckPart, the Check a Part window: the part number and the limits, the
// table of readings, the spread and the verdict in large letters, and the
// report buttons.
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/windows.h"

namespace involvo::qt {

namespace {

constexpr int kRows = 12;  // kReadingRows of the presenter
constexpr int kBandChars = 22;

QLabel* Bold(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

void BuildCheckPart(FormBuilder& b) {
    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);

    // The part and its limits.
    auto* head = new QGridLayout;
    head->setHorizontalSpacing(16);
    head->addWidget(b.Label(ctl::LabelPartNumber), 0, 0);
    QLineEdit* part = b.Entry(ctl::TextPartNumber);
    part->setMinimumWidth(part->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kBandChars);
    head->addWidget(part, 0, 1);
    head->addWidget(Bold(b.Label(ctl::LabelLimitsTitle)), 1, 0, 1, 2);
    head->addWidget(b.Label(ctl::LabelLimits), 2, 0);
    head->addWidget(b.Value(ctl::TextLimits, kBandChars), 2, 1);
    head->addWidget(b.Label(ctl::LabelThicknessLimits), 3, 0);
    head->addWidget(b.Value(ctl::TextThicknessLimits, kBandChars), 3, 1);
    head->setColumnStretch(2, 1);
    outer->addLayout(head);

    // The readings, one a row.
    auto* box = new QFrame;
    box->setFrameShape(QFrame::Box);
    auto* table = new QGridLayout(box);
    table->setHorizontalSpacing(10);
    table->setVerticalSpacing(2);
    const Control headings[] = {ctl::LabelReading, ctl::LabelThickness, ctl::LabelBeyond, ctl::LabelStatus};
    for (int c = 0; c < 4; ++c) table->addWidget(Bold(b.Label(headings[c])), 0, c + 1, Qt::AlignHCenter);
    for (int row = 1; row <= kRows; ++row) {
        table->addWidget(b.Label(ctl::LabelRow(row)), row, 0, Qt::AlignRight);
        QLineEdit* reading = b.Entry(ctl::Reading(row));
        reading->setMinimumWidth(reading->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
        table->addWidget(reading, row, 1);
        table->addWidget(b.Value(ctl::Thickness(row), 10), row, 2);
        table->addWidget(b.Value(ctl::Beyond(row), 10), row, 3);
        table->addWidget(b.Value(ctl::Status(row), 12), row, 4);
    }
    outer->addWidget(box);

    // The spread and the verdict.
    auto* summary = new QHBoxLayout;
    summary->addWidget(b.Label(ctl::LabelSpread));
    summary->addWidget(b.Value(ctl::TextSpread, 10));
    summary->addStretch(1);
    outer->addLayout(summary);
    QLabel* verdict = b.Label(ctl::LabelVerdict);
    QFont big = verdict->font();
    big.setPointSizeF(big.pointSizeF() * 3.2);
    big.setBold(true);
    verdict->setFont(big);
    verdict->setAlignment(Qt::AlignCenter);
    verdict->setMinimumHeight(QFontMetrics(big).height() + 8);
    outer->addWidget(verdict);
    QLabel* note = b.Label(ctl::LabelVerdictNote);
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    outer->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (Control name : {ctl::CmdPrint, ctl::CmdSavePdf, ctl::CmdClear, ctl::CmdClose}) buttons->addWidget(b.Button(name));
    buttons->addStretch(1);
    outer->addLayout(buttons);
    outer->addStretch(1);
    b.window()->setCentralWidget(central);
}

}  // namespace involvo::qt
