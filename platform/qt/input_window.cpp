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
    QMenu* file = b.Menu("mnuFile");
    b.Item(file, "MnuExit");

    QMenu* options = b.Menu("mnuOptions");
    b.Item(options, "MnuMow", true);
    b.Item(options, "MnuCTT", true);
    b.Item(options, "MnuSpan", true);
    QMenu* depth = b.Submenu(options, "MnuDepthSystem");
    for (int i = 1; i <= 9; ++i) b.Item(depth, FormBuilder::Indexed("MnuDepth", i), true);
    b.Item(options, "MnuCheckbox1");

    QMenu* help = b.Menu("mnuHelp");
    b.Item(help, "mnuHelpContents");
    b.Separator(help, "mnuHelpBar1");
    b.Item(help, "mnuHelpAbout");
}

// A hint label: clickable, coloured under the mouse.
QLabel* Hint(FormBuilder& b, const std::string& name) {
    QLabel* label = b.Label(name, kHover | kClickable);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 34);
    return label;
}

}  // namespace

void BuildInputWindow(FormBuilder& b) {
    QMainWindow* window = b.window();
    BuildMenus(b);

    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);

    QLabel* title = b.Label("Title");
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
    auto field = [&](const std::string& caption, const std::string& entry) {
        grid->addWidget(b.Label(caption), row, 0);
        grid->addWidget(b.Entry(entry), row, 1);
        return row++;
    };
    field("Labelnumteeth", "InputNT");
    field("LabelPitch", "InputDP");
    field("LabelPA", "InputPA");
    field("LABELHA", "InputHA");

    QComboBox* features = b.List("Combo1", false);
    grid->addWidget(features, row++, 1);
    // The value field is captioned by the feature chosen in the list.
    QLabel* featureCaption = b.Label("LabelCTT_MOW");
    FormBuilder::CaptionFollows(features, featureCaption);
    int feature = row++;
    grid->addWidget(featureCaption, feature, 0);
    grid->addWidget(b.Entry("InputCTT_MOW"), feature, 1);
    grid->addWidget(Hint(b, "LabelBasic"), feature, 2);
    grid->addWidget(Hint(b, "LabelBasic2"), row++, 2);
    int odChange = field("LblAddendumMod", "InputAddendumMod");
    grid->addWidget(Hint(b, "LabelStandardOD"), odChange, 2);
    int pin = field("LABELPINDIA", "InputPINDIA");
    grid->addWidget(Hint(b, "LabelStandard"), pin, 2);
    grid->addWidget(Hint(b, "LabelBestPin"), row++, 2);
    field("LabelFaceWidth", "InputFaceWidth");
    grid->addWidget(b.Label("LabelQuality"), row, 0);
    grid->addWidget(b.List("ComboQuality", true), row++, 1);
    outer->addLayout(grid);

    // Gear type and the commands.
    auto* bottom = new QHBoxLayout;
    QGroupBox* frame = b.Frame("Frame1", kHover);
    auto* types = new QHBoxLayout(frame);
    types->addWidget(b.Option("External"));
    types->addWidget(b.Option("Internal"));
    bottom->addWidget(frame);
    bottom->addStretch(1);
    auto* commands = new QVBoxLayout;
    commands->addWidget(b.Button("CmdCalc"));
    commands->addWidget(b.Button("cmdExit"));
    bottom->addLayout(commands);
    outer->addLayout(bottom);
    outer->addStretch(1);

    window->setCentralWidget(central);
}

}  // namespace involvo::qt
