#include "platform/qt_shell/about_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace involvo::qtshell {

QIcon ProgramIcon() { return QIcon(QStringLiteral(":/involvo/org.involvo.Involvo.png")); }

void BuildAboutBox(qt::FormBuilder& b) {
    QMainWindow* window = b.window();
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);

    auto* central = new QWidget;
    auto* grid = new QGridLayout(central);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(18, 18, 18, 14);
    grid->setHorizontalSpacing(18);

    QLabel* icon = b.Label("picIcon");
    icon->setPixmap(ProgramIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    grid->addWidget(icon, 0, 0, 4, 1);

    QLabel* title = b.Label("lblTitle");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    grid->addWidget(title, 0, 1);

    QWidget* line1 = qt::FormBuilder::Rule();
    line1->setObjectName(QStringLiteral("Line1"));
    grid->addWidget(line1, 1, 1);

    QLabel* version = b.Label("lblVersion");
    grid->addWidget(version, 2, 1);
    QLabel* description = b.Label("lblDescription");
    description->setWordWrap(true);
    description->setMinimumWidth(340);
    grid->addWidget(description, 3, 1);

    QWidget* line2 = qt::FormBuilder::Rule();
    line2->setObjectName(QStringLiteral("Line2"));
    grid->addWidget(line2, 4, 0, 1, 2);
    QWidget* line3 = qt::FormBuilder::Rule();
    line3->setObjectName(QStringLiteral("Line3"));
    grid->addWidget(line3, 5, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = b.Button("cmdOK");
    ok->setDefault(true);
    // The box has no Cancel: Escape closes it as OK does.
    b.EscapePresses(ok);
    ok->setMinimumWidth(110);
    buttons->addWidget(ok);
    QPushButton* sysInfo = b.Button("cmdSysInfo");
    sysInfo->setMinimumWidth(110);
    buttons->addWidget(sysInfo);
    grid->addLayout(buttons, 6, 0, 1, 2);

    window->setCentralWidget(central);
}

}  // namespace involvo::qtshell
