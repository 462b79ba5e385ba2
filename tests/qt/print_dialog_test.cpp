// The print dialog of the Qt printer, answered as a user would: the PDF
// printer with three copies writes one file that holds all three.
#include <QAction>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include "platform/qt_print/qt_printer.h"
#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

class PrinterPlatform : public QtPlatform {
public:
    PrinterPort* Printer() override { return &printer; }
    QtPrinter printer;
};

// The number of pages of a PDF file, as pdfinfo counts them; -1 when it cannot.
int PdfPages(const QString& file) {
    const std::string command = "pdfinfo '" + file.toStdString() + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return -1;
    int pages = -1;
    char line[512];
    while (std::fgets(line, sizeof line, pipe))
        if (std::sscanf(line, "Pages: %d", &pages) == 1) break;
    ::pclose(pipe);
    return pages;
}

class PrintDialog : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            GTEST_SKIP() << "this machine has printers: the dialog would offer one of them first";
        ASSERT_TRUE(dir_.isValid());
        app_ = std::make_unique<Application>(gear_, platform_);
        platform_.SetForms(app_.get());
        app_->StartUpWithoutSplash();
        ASSERT_TRUE(QTest::qWaitForWindowActive(platform_.ViewOf(FormId::FrmMain)->window()));
    }
    void TearDown() override {
        if (app_ && !app_->Ended()) app_->Unload(FormId::FrmMain);
        QTest::qWait(50);
        app_.reset();
    }
    QWidget* Main(Control control) {
        return qobject_cast<QWidget*>(platform_.ViewOf(FormId::FrmMain)->ObjectOf(control));
    }

    QApplication& qapp_ = TheApp();
    QTemporaryDir dir_;
    gearmain::GearMain gear_;
    PrinterPlatform platform_;
    std::unique_ptr<Application> app_;
};

TEST_F(PrintDialog, ThreeCopiesToThePdfPrinterAreThreePagesOfTheOneFile) {
    for (auto [field, text] : {std::pair{ctl::InputNT, "24"}, std::pair{ctl::InputDP, "10"}}) {
        auto* edit = qobject_cast<QLineEdit*>(Main(field));
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    qobject_cast<QPushButton*>(Main(ctl::CmdCalc))->click();
    QtView* page = platform_.ViewOf(FormId::FrmOutput1);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->window()->isVisible(); }, 3000));

    // The user asks for three copies into a file of the PDF printer, and prints.
    const QString file = dir_.filePath(QStringLiteral("gear.pdf"));
    QString printer;
    QTimer hand;
    hand.setInterval(20);
    QObject::connect(&hand, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        auto* copies = dialog->findChild<QSpinBox*>(QStringLiteral("copies"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (!copies || !name) return;
        copies->setValue(3);
        name->setText(file);
        printer = dialog->printer()->printerName();
        dialog->accept();

    });
    hand.start();
    DialogHand answers;  // the word on where the sheet went
    qobject_cast<QAction*>(page->ObjectOf(ctl::mnuFilePrint))->trigger();
    hand.stop();

    ASSERT_TRUE(QFile::exists(file)) << printer.toStdString();
    EXPECT_EQ(PdfPages(file), 3);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].text, "The gear data sheet was saved in the file " + file.toStdString() +
                                          ", 3 copies, each on a page of its own.");
    EXPECT_EQ(platform_.printer.Copies(), 1) << "the next dialog starts from one copy";
}

}  // namespace
}  // namespace involvo::testing
