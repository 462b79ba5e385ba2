// The splash window, the windows still to come, and which layout builds which
// form.
#include <QLabel>
#include <QMainWindow>
#include <QVBoxLayout>
#include <map>

#include "platform/qt/windows.h"

namespace involvo::qt {

void BuildSplash(FormBuilder& b) {
    QMainWindow* window = b.window();
    window->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    auto* central = new QWidget;
    central->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(48, 36, 48, 36);

    QLabel* name = b.Label("Label1");
    QFont big(QStringLiteral("Times New Roman"));
    big.setStyleHint(QFont::Serif);
    big.setPointSize(40);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);

    QLabel* platform = b.Label("Label2");
    QFont small = platform->font();
    small.setPointSizeF(small.pointSizeF() * 1.3);
    platform->setFont(small);
    platform->setAlignment(Qt::AlignCenter);
    layout->addWidget(platform);
    window->setCentralWidget(central);
}

void BuildEmpty(FormBuilder& b) {
    auto* central = new QWidget;
    central->setMinimumSize(320, 200);
    b.window()->setCentralWidget(central);
}

namespace {
std::map<FormId, FormLayout>& SuppliedLayouts() {
    static std::map<FormId, FormLayout> layouts;
    return layouts;
}
}  // namespace

void SetFormLayout(FormId id, FormLayout layout) { SuppliedLayouts()[id] = layout; }

void BuildForm(FormId id, FormBuilder& b) {
    if (auto it = SuppliedLayouts().find(id); it != SuppliedLayouts().end() && it->second) {
        it->second(b);
        return;
    }
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
        case FormId::frmAbout: BuildEmpty(b); return;
    }
    BuildEmpty(b);
}

bool IsModalForm(FormId id) { return id == FormId::frmAbout; }

}  // namespace involvo::qt
