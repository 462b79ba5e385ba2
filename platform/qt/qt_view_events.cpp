// The user's actions on a Qt window, forwarded to the presenter: keys through
// the key filter, focus moves within the window, clicks, the mouse over the
// hints, activation and closing.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_view.h"

namespace involvo {

namespace {

// How long an activation that the program caused may take to arrive.
constexpr int kActivationWaitMs = 1500;

// The form-level key codes.
int KeyDownCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Up: return kKeyUp;
        case Qt::Key_Down: return kKeyDown;
        case Qt::Key_Return:
        case Qt::Key_Enter: return kKeyEnter;
        default: return 0;
    }
}

// The character code handed to the key filter; characters beyond its 16 bits
// are passed as a code no filter accepts.
int CharCode(char32_t c) { return c < 0x8000 ? static_cast<int>(c) : 0x7FFF; }

bool AllPrintable(const QString& text) {
    for (char32_t c : text.toUcs4())
        if (!QChar::isPrint(c)) return false;
    return !text.isEmpty();
}

}  // namespace

void QtView::Wire() {
    window_->installEventFilter(this);
    bool hover = false;
    controls_.ForEach([&hover](Control, QObject*, unsigned roles) {
        if (roles & qt::kHover) hover = true;
    });
    if (QWidget* central = window_->centralWidget(); central && hover) {
        // The mouse over the hints, the option buttons, the frame or the form's
        // background changes colours: every surface reports it.
        trackMouse_ = true;
        central->setMouseTracking(true);
        central->installEventFilter(this);
        for (QWidget* w : central->findChildren<QWidget*>()) {
            w->setMouseTracking(true);
            w->installEventFilter(this);
        }
    }

    controls_.ForEach([this](Control control, QObject* object, unsigned roles) {
        object->installEventFilter(this);
        auto forward = [this, control] {
            if (!dying_) presenter_.Click(control);
        };
        if (auto* edit = qobject_cast<QLineEdit*>(object)) {
            connect(edit, &QLineEdit::textEdited, this, [this, control] {
                if (!dying_) presenter_.Change(control);
            });
        } else if (auto* combo = qobject_cast<QComboBox*>(object)) {
            connect(combo, &QComboBox::activated, this, forward);
            if (QLineEdit* edit = combo->lineEdit()) {
                edit->installEventFilter(this);
                connect(edit, &QLineEdit::textEdited, this, [this, control] {
                    if (!dying_) presenter_.Change(control);
                });
            }
        } else if (auto* option = qobject_cast<QRadioButton*>(object)) {
            // The selection is the program's: the click is undone and reported,
            // unless it was on the option already selected.
            connect(option, &QRadioButton::clicked, this, [this, control, option](bool checked) {
                option->setChecked(!checked);
                if (checked && !dying_) presenter_.Click(control);
            });
        } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
            connect(button, &QAbstractButton::clicked, this, forward);
        } else if (auto* menu = qobject_cast<QMenu*>(object)) {
            connect(menu, &QMenu::aboutToShow, this, forward);
        } else if (auto* action = qobject_cast<QAction*>(object)) {
            connect(action, &QAction::triggered, this, [this, control, action](bool checked) {
                // The check marks are the program's: undo Qt's own toggle.
                if (action->isCheckable()) {
                    QSignalBlocker block(action);
                    action->setChecked(!checked);
                }
                if (!dying_) presenter_.Click(control);
            });
        }
        (void)roles;
    });
}

bool QtView::eventFilter(QObject* watched, QEvent* event) {
    if (dying_) return false;
    if (watched == window_.get()) return WindowEvent(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    switch (event->type()) {
        case QEvent::KeyPress: return KeyEvent(widget, static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn: FocusInEvent(widget, static_cast<QFocusEvent*>(event)); return false;
        case QEvent::FocusOut: {
            // A line edit keeps every edit for its undo as long as it stands, and
            // the input screen stands all day: leaving a field for another one
            // ends its undo. Setting the same text again empties the history and
            // sends nothing. A menu or another window taking the focus keeps it.
            auto* edit = qobject_cast<QLineEdit*>(widget);
            if (auto* combo = qobject_cast<QComboBox*>(widget)) edit = combo->lineEdit();  // it has the focus for it
            Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (edit && edit->isUndoAvailable() && reason != Qt::PopupFocusReason &&
                reason != Qt::ActiveWindowFocusReason && reason != Qt::MenuBarFocusReason)
                edit->setText(edit->text());
            return false;
        }
        case QEvent::MouseButtonPress:
            // The click that brought the focus into a text box leaves the text
            // selected as the focus handler left it: the press would place the
            // caret, and the typing meant to replace the value would land in it.
            if (widget == keepSelection_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                pressKeptSelection_ = true;
                return true;
            }
            keepSelection_.clear();
            return false;
        case QEvent::MouseMove:
            // Nor does a shaky hand drag a new selection out of that click.
            if (pressKeptSelection_ && widget == keepSelection_) return true;
            return MouseMoveEvent(widget, static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            if (widget == keepSelection_) {
                keepSelection_.clear();
                pressKeptSelection_ = false;
            }
            return MouseReleaseEvent(widget, static_cast<QMouseEvent*>(event));
        case QEvent::ContextMenu: return ContextMenuEvent(widget, event);
        case QEvent::InputMethod: {
            std::optional<Control> control = controls_.Owner(widget, window_.get());
            QLineEdit* edit = control ? EditOf(*control) : nullptr;
            auto* ime = static_cast<QInputMethodEvent*>(event);
            if (!edit || !controls_.HasRole(*control, qt::kEntry) || ime->commitString().isEmpty()) return false;
            InsertFiltered(*control, edit, ime->commitString());
            return true;
        }
        case QEvent::Wheel:
            // The lists change only by the user's choice, not by a passing wheel.
            return qobject_cast<QComboBox*>(widget) != nullptr;
        default: return false;
    }
}

bool QtView::WindowEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowActivate:
            if (!window_->testAttribute(Qt::WA_ShowWithoutActivating)) platform_.lastActive_ = this;
            if (ConsumeExpectedActivation() || dialogDepth_ > 0) return false;
            presenter_.Activate();
            return false;
        case QEvent::WindowDeactivate:
            // A dialog of this window taking the activation is no deactivation.
            if (dialogDepth_ == 0) presenter_.Deactivate();
            return false;
        case QEvent::Close:
            // The program decides what closing means (for the input screen: the end).
            event->ignore();
            if (Forms* forms = platform_.forms()) forms->Unload(id_);
            return true;
        default: return false;
    }
}

void QtView::ExpectActivation() {
    // The window the program makes active, even before the activation arrives.
    platform_.lastActive_ = this;
    ++expectedActivations_;
    expectDeadline_.setRemainingTime(kActivationWaitMs);
}

bool QtView::ConsumeExpectedActivation() {
    if (expectedActivations_ > 0 && !expectDeadline_.hasExpired()) {
        --expectedActivations_;
        return true;
    }
    expectedActivations_ = 0;
    return false;
}

bool QtView::KeyPress(Control control, int key) {
    if (dying_) return false;
    return presenter_.KeyPress(control, key);
}

bool QtView::KeyEvent(QWidget* widget, QKeyEvent* event) {
    // A key that the control did not take travels on to its parents: it was seen.
    if (event == lastKey_ && lastKeyWidget_ && widget != lastKeyWidget_ && widget->isAncestorOf(lastKeyWidget_))
        return false;
    lastKey_ = event;
    lastKeyWidget_ = widget;
    const std::optional<Control> owner = controls_.Owner(widget, window_.get());
    if (!owner) return false;
    const Control control = *owner;

    // The form sees the navigation keys before the control.
    if (int code = KeyDownCode(event->key())) {
        if (presenter_.KeyDown(code)) return true;
        if (code == kKeyEnter) {
            // Enter presses the button it was typed on, as Space does.
            if (auto* button = qobject_cast<QPushButton*>(widget)) {
                if (!dying_ && button->isEnabled() && button->isVisible()) button->click();
                return true;
            }
            if (controls_.HasRole(control, qt::kEntry)) {
                // It reaches the control that has the focus now; no text box takes it.
                if (current_) KeyPress(*current_, kKeyEnter);
                return true;
            }
        }
    }
    if (!controls_.HasRole(control, qt::kEntry)) return false;

    QLineEdit* edit = EditOf(control);
    if (event->matches(QKeySequence::Paste)) {
        if (edit) InsertFiltered(control, edit, QGuiApplication::clipboard()->text(QClipboard::Clipboard));
        return true;
    }
    if (event->key() == Qt::Key_Backspace) return !KeyPress(control, kKeyBackspace);
    QString text = event->text();
    if (!AllPrintable(text)) return false;
    std::u32string chars = text.toStdU32String();
    if (chars.size() == 1) return !KeyPress(control, CharCode(chars[0]));
    if (edit) InsertFiltered(control, edit, text);
    return true;
}

void QtView::InsertFiltered(Control control, QLineEdit* edit, const QString& text) {
    QPointer<QLineEdit> guard = edit;
    for (char32_t c : text.toStdU32String()) {
        if (dying_ || !guard) return;
        if (!QChar::isPrint(c) || !KeyPress(control, CharCode(c))) continue;
        if (dying_ || !guard) return;
        guard->insert(QString::fromUcs4(&c, 1));
    }
}

void QtView::FocusInEvent(QWidget* widget, QFocusEvent* event) {
    const std::optional<Control> owner = controls_.Owner(widget, window_.get());
    if (!owner || owner == current_) return;
    const Control control = *owner;
    switch (event->reason()) {
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
            // The focus coming back with the window, a menu or a list closing is no
            // move between controls; only the very first one of the window is.
            if (current_) {
                current_ = control;
                return;
            }
            break;
        default: break;
    }
    std::optional<Control> old = current_;
    current_ = control;
    if (old) presenter_.LostFocus(*old);
    if (!dying_ && current_ == control) presenter_.GotFocus(control);
    // A mouse press brought the focus: the press that follows is that click.
    keepSelection_.clear();
    pressKeptSelection_ = false;
    if (event->reason() == Qt::MouseFocusReason && !dying_ && current_ == control) {
        QLineEdit* edit = EditOf(control);
        if (edit && !edit->text().isEmpty() && edit->selectedText() == edit->text()) keepSelection_ = edit;
    }
}

bool QtView::MouseMoveEvent(QWidget* widget, QMouseEvent* event) {
    // Every surface of a window with hover controls tracks the mouse; the move is
    // taken where it lands, so that it is reported once.
    if (!trackMouse_ || event->buttons() != Qt::NoButton) return false;
    // Where no control is, the mouse is over the form's background.
    const Control target = controls_.Owner(widget, window_.get()).value_or(ctl::Window);
    if (target == ctl::Window || controls_.HasRole(target, qt::kHover)) presenter_.MouseMove(target);
    return true;
}

bool QtView::MouseReleaseEvent(QWidget* widget, QMouseEvent* event) {
    const std::optional<Control> owner = controls_.Owner(widget, window_.get());
    if (!owner) return false;
    const Control control = *owner;
    if (event->button() == Qt::MiddleButton && controls_.HasRole(control, qt::kEntry)) {
        // The selection paste of X11 goes through the key filter too.
        if (QLineEdit* edit = EditOf(control))
            InsertFiltered(control, edit, QGuiApplication::clipboard()->text(QClipboard::Selection));
        return true;
    }
    if (event->button() != Qt::LeftButton || !widget->rect().contains(event->position().toPoint()))
        return false;
    bool clickableLabel = qobject_cast<QLabel*>(widget) && controls_.HasRole(control, qt::kClickable);
    bool textBox = qobject_cast<QLineEdit*>(widget) && controls_.ControlOf(widget) == control;
    if (clickableLabel || textBox) presenter_.Click(control);
    return false;
}

bool QtView::ContextMenuEvent(QWidget* widget, QEvent* event) {
    const std::optional<Control> owner = controls_.Owner(widget, window_.get());
    if (!owner) return false;
    const Control control = *owner;
    QLineEdit* edit = EditOf(control);
    if (!edit || !controls_.HasRole(control, qt::kEntry) || (widget != edit && !qobject_cast<QComboBox*>(widget)))
        return false;
    // The edit menu of the text box, with a paste that goes through the key filter.
    QPointer<QMenu> menu = edit->createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        if (action->objectName() != QLatin1String("edit-paste")) continue;
        action->disconnect();
        connect(action, &QAction::triggered, this, [this, control, edit] {
            InsertFiltered(control, edit, QGuiApplication::clipboard()->text(QClipboard::Clipboard));
        });
    }
    menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
    delete menu.data();
    return true;
}

}  // namespace involvo
