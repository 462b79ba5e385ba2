// The program on real Qt windows (offscreen), with a hand that answers the
// message boxes and input boxes as they appear.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_view.h"
#include "shell/application.h"

// Readable QStrings in the failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace involvo::testing {

// The one QApplication of the test program, on the offscreen platform unless
// another one was asked for.
inline QApplication& TheApp() {
    static int argc = 1;
    static char name[] = "qt_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);  // lives to the end of the run
    return *app;
}

struct SeenDialog {
    std::string window;  // the window it was parented to
    std::string title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasCancel = false;
};

// Answers every modal dialog that comes up: message boxes with the scripted
// buttons (OK when none is left), input boxes with the scripted text (Cancel
// when none is left).
class DialogHand {
public:
    DialogHand() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    void Press(QMessageBox::StandardButton button) { buttons_.push_back(button); }
    void Type(const QString& text) { inputs_.push_back(text); }
    const std::vector<SeenDialog>& Seen() const { return seen_; }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
            seen_.push_back({Parent(box), box->windowTitle().toStdString(), box->text().toStdString(),
                             box->icon(), box->button(QMessageBox::Cancel) != nullptr});
            QMessageBox::StandardButton b = QMessageBox::Ok;
            if (!buttons_.empty()) {
                b = buttons_.front();
                buttons_.pop_front();
            }
            box->button(b)->click();
        } else if (auto* input = qobject_cast<QInputDialog*>(modal); input && input->isVisible()) {
            seen_.push_back({Parent(input), input->windowTitle().toStdString(),
                             input->labelText().toStdString(), QMessageBox::NoIcon, true});
            if (inputs_.empty()) {
                input->reject();
            } else {
                input->setTextValue(inputs_.front());
                inputs_.pop_front();
                input->accept();
            }
        }
    }
    static std::string Parent(QWidget* dialog) {
        QWidget* parent = dialog->parentWidget();
        return parent ? parent->window()->objectName().toStdString() : std::string();
    }

    QTimer timer_;
    std::deque<QMessageBox::StandardButton> buttons_;
    std::deque<QString> inputs_;
    std::vector<SeenDialog> seen_;
};

// The whole program on the Qt platform, started without the splash.
class QtProgram : public ::testing::Test {
protected:
    QtProgram() : QtProgram(kOptionsFileName) {}
    // The program with its printout options in the file given.
    explicit QtProgram(const std::filesystem::path& optionsFile) : app_(gear_, platform_) {
        platform_.SetForms(&app_);
        app_.SetPrintoutOptionsFile(optionsFile);
        app_.StartUpWithoutSplash();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Window(FormId::FrmMain)));
        Settle();
    }
    ~QtProgram() override { Settle(); }

    QtView* View(FormId id) { return platform_.ViewOf(id); }
    QMainWindow* Window(FormId id) {
        QtView* view = View(id);
        return view ? view->window() : nullptr;
    }
    template <class T = QWidget>
    T* Widget(FormId id, Control control) {
        QtView* view = View(id);
        return view ? qobject_cast<T*>(view->ObjectOf(control)) : nullptr;
    }
    template <class T = QWidget>
    T* Main(Control control) {
        return Widget<T>(FormId::FrmMain, control);
    }
    // Lets the queued events of the windows run (activations, timers).
    static void Settle(int ms = 50) { QTest::qWait(ms); }
    // Runs the events until the condition holds (at most a few seconds), then a
    // little longer, so that a late event that would undo it shows too.
    template <class F>
    static bool WaitFor(F condition) {
        bool met = QTest::qWaitFor(condition, 5000);
        Settle(200);
        return met && condition();
    }

    // Clicks into a field, types into it and leaves it with Tab.
    void Enter(Control field, const QString& keys) {
        auto* edit = Main<QLineEdit>(field);
        ASSERT_NE(edit, nullptr) << field;
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    QApplication& qapp_ = TheApp();
    gearmain::GearMain gear_;
    QtPlatform platform_;
    Application app_;
};

}  // namespace involvo::testing
