// The result pages: a table of caption and value rows under a title, a row of
// buttons and a File menu.
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/windows.h"

namespace involvo::qt {

namespace {

struct Page {
    QVBoxLayout* outer;
    QGridLayout* table;
};

// Title, then a framed table; the caller fills the table and adds the buttons.
// Page 1's File menu also opens the windows of its gear, before Close.
Page StartPage(FormBuilder& b, Control fileMenu, Control heading, bool pageOne = false) {
    QMenu* file = b.Menu(fileMenu);
    b.Item(file, ctl::mnuFilePrint);
    if (pageOne) {
        b.Item(file, ctl::mnuFileCheck);
        b.Item(file, ctl::mnuFileAids);
        b.Separator(file, ctl::mnuFileBar1);
    }
    b.Item(file, ctl::mnuFileClose);

    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);
    QLabel* title = b.Label(heading);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    outer->addWidget(title);

    auto* box = new QFrame;
    box->setFrameShape(QFrame::Box);
    auto* table = new QGridLayout(box);
    table->setColumnStretch(0, 1);
    table->setHorizontalSpacing(16);
    outer->addWidget(box);
    b.window()->setCentralWidget(central);
    return {outer, table};
}

// Rows 1..count of caption Label(i) and value Text(i), from grid row `first`.
void AddRows(FormBuilder& b, QGridLayout* table, int count, int first, int valueChars) {
    for (int i = 1; i <= count; ++i) {
        table->addWidget(b.Label(ctl::Label(i)), first + i - 1, 0);
        table->addWidget(b.Value(ctl::Text(i), valueChars), first + i - 1, 1);
    }
}

// A second value column: Text(index) beside the row `row` (1-based).
void AddBeside(FormBuilder& b, QGridLayout* table, int index, int row, int first, int valueChars) {
    table->addWidget(b.Value(ctl::Text(index), valueChars), first + row - 1, 2);
}

void AddHeadings(FormBuilder& b, QGridLayout* table) {
    table->addWidget(b.Label(ctl::LabelNorm), 0, 1, Qt::AlignHCenter);
    table->addWidget(b.Label(ctl::LabelTransv), 0, 2, Qt::AlignHCenter);
}

void AddButtons(FormBuilder& b, QVBoxLayout* outer, std::initializer_list<Control> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (Control control : buttons) {
        QPushButton* button = control == ctl::CmdPrint ? b.PrintButton(control) : b.Button(control);
        row->addWidget(button);
    }
    row->addStretch(1);
    outer->addLayout(row);
    outer->addStretch(1);
}

constexpr int kRangeChars = 22;  // "0.282902 / 0.288675" and some room

}  // namespace

void BuildSpurDataPage(FormBuilder& b) {
    Page page = StartPage(b, ctl::Mnufile, ctl::LabelTitleBlock, true);
    AddRows(b, page.table, 12, 0, kRangeChars);
    AddButtons(b, page.outer, {ctl::Next1, ctl::CmdOK, ctl::CmdPrint});
}

void BuildHelicalDataPage(FormBuilder& b) {
    Page page = StartPage(b, ctl::mnuFile, ctl::LabelTitleBlock, true);
    AddHeadings(b, page.table);
    AddRows(b, page.table, 12, 1, kRangeChars);
    const int beside[][2] = {{13, 2}, {14, 3}, {15, 5}, {16, 9}, {17, 10}, {18, 11}};
    for (const auto& [index, row] : beside) AddBeside(b, page.table, index, row, 1, kRangeChars);
    AddButtons(b, page.outer, {ctl::Next1, ctl::CmdOK, ctl::CmdPrint});
}

void BuildSpurDimensions(FormBuilder& b) {
    Page page = StartPage(b, ctl::mnuFile, ctl::LabelTitleBlock);
    AddRows(b, page.table, 12, 0, kRangeChars);
    AddButtons(b, page.outer, {ctl::Back, ctl::Next, ctl::CmdOK, ctl::CmdPrint});
}

void BuildHelicalDimensions(FormBuilder& b) {
    Page page = StartPage(b, ctl::mnuFile, ctl::LabelTitleBlock);
    AddHeadings(b, page.table);
    AddRows(b, page.table, 12, 1, kRangeChars);
    AddBeside(b, page.table, 13, 3, 1, kRangeChars);
    AddBeside(b, page.table, 14, 4, 1, kRangeChars);
    AddButtons(b, page.outer, {ctl::Back, ctl::Next, ctl::CmdOK, ctl::CmdPrint});
}

void BuildTolerances(FormBuilder& b) {
    Page page = StartPage(b, ctl::mnuFile, ctl::AGMAFRM);
    AddRows(b, page.table, 6, 0, 12);
    page.outer->addWidget(b.Note(ctl::Text1));
    AddButtons(b, page.outer, {ctl::Back, ctl::CmdOK, ctl::CmdPrint});
}

}  // namespace involvo::qt
