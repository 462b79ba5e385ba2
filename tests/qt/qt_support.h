// The program on real Qt windows (offscreen): a temporary folder for its
// settings and printout options, a hand that answers the message boxes and
// input boxes as they appear, and the user's clicks and keys.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "platform/qt/qt_view.h"
#include "platform/qt_shell/qt_shell_platform.h"
#include "printing/printout_options.h"
#include "shell/application.h"

// Readable QStrings in the failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace involvo::testing {

struct SeenDialog {
    std::string window, title, text;  // window: the one it was parented to
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasCancel = false;
};

// Answers every modal dialog that comes up: message boxes with the buttons
// given (then OK), input boxes with the texts given (then Cancel).
class DialogHand {
public:
    DialogHand() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(10);
    }
    void Press(QMessageBox::StandardButton button) { buttons_.push_back(button); }
    void Type(const QString& text) { inputs_.push_back(text); }
    std::vector<SeenDialog> seen;

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        std::string window = modal->parentWidget() ? modal->parentWidget()->window()->objectName().toStdString() : "";
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.push_back({window, box->windowTitle().toStdString(), box->text().toStdString(), box->icon(),
                            box->button(QMessageBox::Cancel) != nullptr});
            box->button(buttons_.empty() ? QMessageBox::Ok : buttons_.front())->click();
            if (!buttons_.empty()) buttons_.pop_front();
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            seen.push_back({window, input->windowTitle().toStdString(), input->labelText().toStdString()});
            if (inputs_.empty()) return input->reject();
            input->setTextValue(inputs_.front());
            inputs_.pop_front();
            input->accept();
        }
    }

    QTimer timer_;
    std::deque<QMessageBox::StandardButton> buttons_;
    std::deque<QString> inputs_;
};

// Lets the queued events of the windows run (activations, timers).
inline void Settle(int ms = 50) { QTest::qWait(ms); }
// Runs the events until the condition holds (at most five seconds), then a
// little longer, so that a late event that would undo it shows too.
template <class F>
bool WaitFor(F condition) {
    bool met = QTest::qWaitFor(condition, 5000);
    Settle(200);
    return met && condition();
}

// A temporary folder of the test's own.
struct Folder {
    QString Path(const QString& name) const { return dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << name.toStdString();
    }
    QByteArray Read(const QString& name) const {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

// One run of the whole program on the Qt platform, started without the
// splash: its settings and printout options in `folder`.
class Program {
public:
    explicit Program(const QString& folder, PrinterPort* printer = nullptr)
        : platform_(folder), app_(gear_, platform_) {
        platform_.SetForms(&app_);
        platform_.SetPrinter(printer);
        app_.SetPrintoutOptionsFile((folder + "/" + kOptionsFileName).toStdString());
        app_.StartUpWithoutSplash();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Window(FormId::FrmMain)));
        Settle();
    }
    ~Program() {
        if (!app_.Ended()) app_.Unload(FormId::FrmMain);
        Settle();
    }

    QtView* View(FormId id) { return platform_.ViewOf(id); }
    QMainWindow* Window(FormId id) { return View(id) ? View(id)->window() : nullptr; }
    bool OnScreen(FormId id) { return app_.IsLoaded(id) && Window(id) && Window(id)->isVisible(); }
    template <class T = QWidget>
    T* Widget(FormId id, Control control) {
        return View(id) ? qobject_cast<T*>(View(id)->ObjectOf(control)) : nullptr;
    }
    // The text box of a field, also of the quality list.
    QLineEdit* Edit(Control field) {
        if (auto* list = Widget<QComboBox>(FormId::FrmMain, field)) return list->lineEdit();
        return Widget<QLineEdit>(FormId::FrmMain, field);
    }
    void Click(FormId id, Control control) {
        ASSERT_NE(Widget(id, control), nullptr) << FormName(id) << " " << control;
        QTest::mouseClick(Widget(id, control), Qt::LeftButton);
    }
    void Trigger(FormId id, Control item) {
        ASSERT_NE(Widget<QAction>(id, item), nullptr) << item;
        Widget<QAction>(id, item)->trigger();
    }
    // Clicks into a field, types into it and leaves it with Tab.
    void Enter(Control field, const QString& keys) {
        ASSERT_NE(Edit(field), nullptr) << field;
        QTest::mouseClick(Edit(field), Qt::LeftButton);
        Edit(field)->selectAll();
        QTest::keyClicks(Edit(field), keys);
        QTest::keyClick(Edit(field), Qt::Key_Tab);
    }
    // 24 teeth of pitch 10 (and the thickness given), Calculate: page 1 comes up.
    bool CalculateSpurGear(const QString& thickness = "") {
        Window(FormId::FrmMain)->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Window(FormId::FrmMain)));
        Enter(ctl::InputNT, "24");
        Enter(ctl::InputDP, "10");
        if (!thickness.isEmpty()) Enter(ctl::InputCTT_MOW, thickness);
        Click(FormId::FrmMain, ctl::CmdCalc);
        return WaitFor([&] { return OnScreen(FormId::FrmOutput1); });
    }

    gearmain::GearMain gear_;
    qtshell::QtShellPlatform platform_;
    Application app_;
};

// The program started in a temporary folder of the test's own.
class QtProgram : public ::testing::Test, public Folder, public Program {
protected:
    explicit QtProgram(PrinterPort* printer = nullptr) : Program(dir.path(), printer) {}
};

}  // namespace involvo::testing
