// One window of the program on Qt Widgets: builds the form's controls, answers
// the presenter's calls by control name, and forwards the user's actions to the
// presenter. No gear logic here.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDeadlineTimer>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QSize>

#include "platform/qt/controls.h"
#include "platform/view.h"

class QEventLoop;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QMainWindow;
class QMouseEvent;
class QWidget;

namespace involvo {

class QtPlatform;

class QtView : public QObject, public View {
public:
    QtView(QtPlatform& platform, FormId id, Presenter& presenter);
    ~QtView() override;

    std::string Text(Control control) const override;
    void SetText(Control control, const std::string& text) override;
    void SetToolTip(Control control, const std::string& tip) override;
    std::string ToolTip(Control control) const override;
    void SetForeground(Control control, Rgb colour) override;
    Rgb Foreground(Control control) const override;
    void SetEnabled(Control control, bool enabled) override;
    bool Enabled(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    bool Visible(Control control) const override;
    void SetChecked(Control control, bool checked) override;
    bool Checked(Control control) const override;
    void SetItems(Control control, const std::vector<std::string>& items) override;
    std::vector<std::string> Items(Control control) const override;
    void SetFocus(Control control) override;
    std::optional<Control> Focused() const override { return current_; }
    void SelectAll(Control control) override;
    void SetTabOrder(const std::vector<Control>& controls) override;
    void FocusNext(bool backwards) override;
    MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void Show() override;
    void Hide() override;
    bool IsShown() const override;

    FormId id() const { return id_; }
    QMainWindow* window() const { return window_.get(); }
    // The widget, menu or menu item of a control; nullptr when there is none.
    QObject* ObjectOf(Control control) const { return controls_.Find(control); }
    // Every control the window was built with, in the order of the list of names.
    std::vector<Control> Controls() const;


protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Signals and event filters of every control (qt_view_events.cpp).
    void Wire();
    bool WindowEvent(QEvent* event);
    bool KeyEvent(QWidget* widget, QKeyEvent* event);
    void FocusInEvent(QWidget* widget, QFocusEvent* event);
    bool MouseMoveEvent(QWidget* widget, QMouseEvent* event);
    bool MouseReleaseEvent(QWidget* widget, QMouseEvent* event);
    bool ContextMenuEvent(QWidget* widget, QEvent* event);
    // Inserts the characters of a pasted or composed text that the key filter
    // accepts, one by one.
    void InsertFiltered(Control control, QLineEdit* edit, const QString& text);
    bool KeyPress(Control control, int key);
    // An activation that follows the program's own doing (a Show, a closed
    // dialog) is not the user's.
    void ExpectActivation();
    void ReturnFromDialog();
    bool ConsumeExpectedActivation();
    // Before a window first comes up: its place as that of its inside, with
    // the frame it is expected to get (nothing when it was not placed so).
    std::optional<QMargins> PlaceInsideFrame();
    // A window placed so that grew as it opened keeps on its screen.
    void KeepOnScreenAfterGrowing(QSize opened, QMargins frame);

    // The widget that takes the focus for a control, or nullptr.
    QWidget* FocusWidget(Control control) const;
    QLineEdit* EditOf(Control control) const;
    QWidget* Widget(Control control) const;
    bool IsUsable(Control control) const;

    QtPlatform& platform_;
    FormId id_;
    Presenter& presenter_;
    std::unique_ptr<QMainWindow> window_;
    qt::ControlMap controls_;
    std::vector<Control> tabOrder_;
    // The control that has the focus, as the presenter knows it.
    std::optional<Control> current_;
    int dialogDepth_ = 0;
    int expectedActivations_ = 0;
    QDeadlineTimer expectDeadline_;
    bool trackMouse_ = false;
    // The key event last handled, and where.
    const QKeyEvent* lastKey_ = nullptr;
    QPointer<QWidget> lastKeyWidget_;
    bool dying_ = false;
    // The text box whose whole text the focus handler selected as a mouse
    // press brought the focus in, until that click ends.
    QPointer<QLineEdit> keepSelection_;
    bool pressKeptSelection_ = false;
    bool shownBefore_ = false;
    QEventLoop* modalLoop_ = nullptr;
    // The window that was active when a window that does not take the
    // activation was shown.
    QPointer<QWidget> returnTo_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace involvo
