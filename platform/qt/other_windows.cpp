// The splash window, the about box, and which layout builds which form.
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/windows.h"

namespace involvo::qt {

void BuildSplash(FormBuilder& b) {
    QMainWindow* window = b.window();
    window->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    auto* central = new QWidget;
    central->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(48, 36, 48, 36);

    QLabel* name = b.Label(ctl::Label1);
    QFont big(QStringLiteral("Times New Roman"));
    big.setStyleHint(QFont::Serif);
    big.setPointSize(40);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);

    QLabel* platform = b.Label(ctl::Label2);
    QFont small = platform->font();
    small.setPointSizeF(small.pointSizeF() * 1.3);
    platform->setFont(small);
    platform->setAlignment(Qt::AlignCenter);
    layout->addWidget(platform);
    window->setCentralWidget(central);
}

void BuildAboutBox(FormBuilder& b) {
    QMainWindow* window = b.window();
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);

    auto* central = new QWidget;
    auto* grid = new QGridLayout(central);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(18, 18, 18, 14);
    grid->setHorizontalSpacing(18);

    // The program's icon, as the desktop integration gave it to the application.
    QLabel* icon = b.Label(ctl::picIcon);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    grid->addWidget(icon, 0, 0, 4, 1);

    QLabel* title = b.Label(ctl::lblTitle);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    grid->addWidget(title, 0, 1);

    QWidget* line1 = FormBuilder::Rule();
    line1->setObjectName(QStringLiteral("Line1"));
    grid->addWidget(line1, 1, 1);

    QLabel* version = b.Label(ctl::lblVersion);
    grid->addWidget(version, 2, 1);
    QLabel* description = b.Label(ctl::lblDescription);
    description->setWordWrap(true);
    description->setMinimumWidth(340);
    grid->addWidget(description, 3, 1);

    QWidget* line2 = FormBuilder::Rule();
    line2->setObjectName(QStringLiteral("Line2"));
    grid->addWidget(line2, 4, 0, 1, 2);
    QWidget* line3 = FormBuilder::Rule();
    line3->setObjectName(QStringLiteral("Line3"));
    grid->addWidget(line3, 5, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = b.Button(ctl::cmdOK);
    ok->setDefault(true);
    // The box has no Cancel: Escape closes it as OK does.
    b.EscapePresses(ok);
    ok->setMinimumWidth(110);
    buttons->addWidget(ok);
    QPushButton* sysInfo = b.Button(ctl::cmdSysInfo);
    sysInfo->setMinimumWidth(110);
    buttons->addWidget(sysInfo);
    grid->addLayout(buttons, 6, 0, 1, 2);

    window->setCentralWidget(central);
}

void BuildForm(FormId id, FormBuilder& b) {
    switch (id) {
        case FormId::FrmMain: BuildInputWindow(b); return;
        case FormId::FrmOutput1: BuildSpurDataPage(b); return;
        case FormId::FrmHelical1: BuildHelicalDataPage(b); return;
        case FormId::FrmOutput2: BuildSpurDimensions(b); return;
        case FormId::FRMHelical2: BuildHelicalDimensions(b); return;
        case FormId::AGMATOL: BuildTolerances(b); return;
        case FormId::frmSplash: BuildSplash(b); return;
        case FormId::FrmChecklist1: BuildPrintoutOptions(b); return;
        case FormId::FrmPrinting: BuildPrintingNotice(b); return;
        case FormId::frmAbout: BuildAboutBox(b); return;
        case FormId::FrmCheckPart: BuildCheckPart(b); return;
    }
}

bool IsModalForm(FormId id) { return id == FormId::frmAbout; }

}  // namespace involvo::qt
