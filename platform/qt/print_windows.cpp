// The printout-options dialog and the "Printing ..." notice.
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "platform/qt/windows.h"

namespace involvo::qt {

namespace {

constexpr int kOptionBoxes = 18;
constexpr int kBoxesPerColumn = 9;

}  // namespace

void BuildPrintoutOptions(FormBuilder& b) {
    QMainWindow* window = b.window();
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(14, 14, 14, 12);

    // Two columns of nine, read down the first column and then the second, the
    // order of the Tab key.
    QGroupBox* frame = b.Frame(ctl::Frame1);
    auto* boxes = new QGridLayout(frame);
    boxes->setHorizontalSpacing(24);
    for (int i = 1; i <= kOptionBoxes; ++i)
        boxes->addWidget(b.Check(ctl::Check(i)), (i - 1) % kBoxesPerColumn,
                         (i - 1) / kBoxesPerColumn);
    outer->addWidget(frame);

    auto* commands = new QHBoxLayout;
    commands->addWidget(b.Check(ctl::Checkall));
    commands->addStretch(1);
    for (Control control : {ctl::CmdCustom1OK, ctl::CmdCustom1Cancel}) {
        QPushButton* button = b.Button(control);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
        commands->addWidget(button);
        if (control == ctl::CmdCustom1Cancel) b.EscapePresses(button);
    }
    outer->addLayout(commands);

    window->setCentralWidget(central);
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void BuildPrintingNotice(FormBuilder& b) {
    QMainWindow* window = b.window();
    // The notice never takes the activation: the page that prints stays the
    // active window, and when the notice goes, no other window (the input
    // screen least of all) becomes active in its place.
    window->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::MSWindowsFixedSizeDialogHint);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setFocusPolicy(Qt::NoFocus);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(40, 22, 40, 22);

    QLabel* text = b.Label(ctl::Label1);
    // MS Sans Serif where the desktop has it, its own sans font otherwise.
    QFont font = QApplication::font();
    const QString desktop = font.family();
    font.setFamilies({QStringLiteral("MS Sans Serif"), desktop});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(12);
    font.setBold(true);
    text->setFont(font);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);

    window->setCentralWidget(central);
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace involvo::qt
