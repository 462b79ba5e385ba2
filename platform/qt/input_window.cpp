// FrmMain: the input fields with their captions, the hints beside them, the gear
// type frame, the two buttons and the menu bar.
#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt/windows.h"

namespace involvo::qt {

namespace {

void BuildMenus(FormBuilder& b) {
    QMenu* file = b.Menu(ctl::mnuFile);
    b.Item(file, ctl::MnuOpenPart);
    QMenu* recent = b.Submenu(file, ctl::MnuOpenRecent);
    for (int i = 1; i <= 4; ++i) b.Item(recent, ctl::MnuRecent(i));
    b.Item(file, ctl::MnuSavePart);
    b.Separator(file, ctl::mnuFileBar1);
    b.Item(file, ctl::MnuExit);

    QMenu* options = b.Menu(ctl::mnuOptions);
    b.Item(options, ctl::MnuMow, true);
    b.Item(options, ctl::MnuCTT, true);
    b.Item(options, ctl::MnuSpan, true);
    QMenu* depth = b.Submenu(options, ctl::MnuDepthSystem);
    for (int i = 1; i <= 9; ++i) b.Item(depth, ctl::MnuDepth(i), true);
    b.Item(options, ctl::MnuCheckbox1);

    QMenu* help = b.Menu(ctl::mnuHelp);
    b.Item(help, ctl::mnuHelpContents);
    b.Separator(help, ctl::mnuHelpBar1);
    b.Item(help, ctl::mnuHelpAbout);
}

// A hint label: clickable, coloured under the mouse.
QLabel* Hint(FormBuilder& b, Control control) {
    QLabel* label = b.Label(control, kHover | kClickable);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 34);
    return label;
}

}  // namespace

void BuildInputWindow(FormBuilder& b) {
    QMainWindow* window = b.window();
    BuildMenus(b);

    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);

    QLabel* title = b.Label(ctl::Title);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.0);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    outer->addWidget(title);
    QWidget* line = FormBuilder::Rule();
    outer->addWidget(line);

    // Caption | field | hints; the feature list sits above its value field.
    auto* grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    grid->setHorizontalSpacing(12);
    int row = 0;
    auto field = [&](Control caption, Control entry) {
        grid->addWidget(b.Label(caption), row, 0);
        grid->addWidget(b.Entry(entry), row, 1);
        return row++;
    };
    field(ctl::Labelnumteeth, ctl::InputNT);
    field(ctl::LabelPitch, ctl::InputDP);
    field(ctl::LabelPA, ctl::InputPA);
    field(ctl::LABELHA, ctl::InputHA);

    QComboBox* features = b.List(ctl::Combo1, false);
    grid->addWidget(features, row++, 1);
    // The value field is captioned by the feature chosen in the list.
    QLabel* featureCaption = b.Label(ctl::LabelCTT_MOW);
    FormBuilder::CaptionFollows(features, featureCaption);
    int feature = row++;
    grid->addWidget(featureCaption, feature, 0);
    grid->addWidget(b.Entry(ctl::InputCTT_MOW), feature, 1);
    grid->addWidget(Hint(b, ctl::LabelBasic), feature, 2);
    grid->addWidget(Hint(b, ctl::LabelBasic2), row++, 2);
    int odChange = field(ctl::LblAddendumMod, ctl::InputAddendumMod);
    grid->addWidget(Hint(b, ctl::LabelStandardOD), odChange, 2);
    int pin = field(ctl::LABELPINDIA, ctl::InputPINDIA);
    grid->addWidget(Hint(b, ctl::LabelStandard), pin, 2);
    grid->addWidget(Hint(b, ctl::LabelBestPin), row++, 2);
    field(ctl::LabelFaceWidth, ctl::InputFaceWidth);
    grid->addWidget(b.Label(ctl::LabelQuality), row, 0);
    grid->addWidget(b.List(ctl::ComboQuality, true), row++, 1);
    outer->addLayout(grid);

    // Gear type and the commands.
    auto* bottom = new QHBoxLayout;
    QGroupBox* frame = b.Frame(ctl::Frame1, kHover);
    auto* types = new QHBoxLayout(frame);
    types->addWidget(b.Option(ctl::External));
    types->addWidget(b.Option(ctl::Internal));
    bottom->addWidget(frame);
    bottom->addStretch(1);
    auto* commands = new QVBoxLayout;
    commands->addWidget(b.Button(ctl::CmdCalc));
    commands->addWidget(b.Button(ctl::cmdExit));
    bottom->addLayout(commands);
    outer->addLayout(bottom);
    outer->addStretch(1);

    window->setCentralWidget(central);
}

}  // namespace involvo::qt
