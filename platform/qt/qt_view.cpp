// The View calls on Qt widgets: texts, captions, states, focus, dialogs.
#include "platform/qt/qt_view.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "platform/qt/qt_platform.h"
#include "platform/qt/window_frame.h"
#include "platform/qt/windows.h"

namespace involvo {

namespace {

// The text as the program wrote it, kept beside the displayed one: a line break
// written as a carriage return reads back as written.
const char* const kProgramText = "involvoText";
const char* const kProgramColour = "involvoForeground";

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

// The program writes line breaks as carriage returns.
QString ForDisplay(const std::string& text) {
    QString s = ToQt(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString ShownText(const QObject* object) {
    if (auto* edit = qobject_cast<const QLineEdit*>(object)) return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(object))
        return combo->isEditable() || combo->currentIndex() >= 0 ? combo->currentText()
                                                                 : combo->placeholderText();
    if (auto* label = qobject_cast<const QLabel*>(object)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(object)) return frame->title();
    if (auto* note = qobject_cast<const QPlainTextEdit*>(object)) return note->toPlainText();
    if (auto* menu = qobject_cast<const QMenu*>(object)) return menu->title();
    if (auto* action = qobject_cast<const QAction*>(object))
        return action->isSeparator() ? action->property(kProgramText).toString() : action->text();
    if (auto* window = qobject_cast<const QWidget*>(object); window && window->isWindow())
        return window->windowTitle();
    return {};
}

void ShowText(QObject* object, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(object)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else {
            // A list that cannot be typed into shows a text outside its items as
            // its placeholder.
            int index = combo->findText(text, Qt::MatchExactly);
            combo->setPlaceholderText(index < 0 ? text : QString());
            combo->setCurrentIndex(index);
        }
        qt::FormBuilder::UpdateCaption(combo);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(object)) {
        frame->setTitle(text);
    } else if (auto* note = qobject_cast<QPlainTextEdit*>(object)) {
        note->setPlainText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(object)) {
        // A separator is a line: its caption ("-") is the program's, and a menu
        // would draw it as a heading beside the line.
        if (!action->isSeparator()) action->setText(text);
    } else if (auto* window = qobject_cast<QWidget*>(object); window && window->isWindow()) {
        window->setWindowTitle(text);
    }
}

// Menus are shown, enabled and tipped through their menu-bar item.
QAction* ActionOf(QObject* object) {
    if (auto* menu = qobject_cast<QMenu*>(object)) return menu->menuAction();
    return qobject_cast<QAction*>(object);
}

QPalette::ColorRole TextRole(const QObject* object) {
    if (qobject_cast<const QLineEdit*>(object) || qobject_cast<const QComboBox*>(object) ||
        qobject_cast<const QPlainTextEdit*>(object))
        return QPalette::Text;
    if (qobject_cast<const QAbstractButton*>(object)) return QPalette::ButtonText;
    return QPalette::WindowText;
}

}  // namespace

QtView::QtView(QtPlatform& platform, FormId id, Presenter& presenter)
    : platform_(platform), id_(id), presenter_(presenter), window_(std::make_unique<QMainWindow>()) {
    window_->setObjectName(QString::fromLatin1(FormName(id)));
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    qt::FormBuilder builder(window_.get(), controls_);
    qt::BuildForm(id, builder);
    Wire();
}

QtView::~QtView() {
    dying_ = true;
    *alive_ = false;
    if (modalLoop_) modalLoop_->quit();
    window_->removeEventFilter(this);
    controls_.ForEach([this](Control, QObject* object, unsigned) {
        object->removeEventFilter(this);
        object->disconnect(this);
    });
    window_.reset();
    platform_.Forget(this);
}

std::vector<Control> QtView::Controls() const {
    std::vector<Control> controls;
    controls_.ForEach([&controls](Control control, QObject*, unsigned) { controls.push_back(control); });
    return controls;
}

QWidget* QtView::Widget(Control control) const {
    if (control == ctl::Window) return window_.get();
    return qobject_cast<QWidget*>(controls_.Find(control));
}

QLineEdit* QtView::EditOf(Control control) const {
    QObject* object = controls_.Find(control);
    if (auto* edit = qobject_cast<QLineEdit*>(object)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(object)) return combo->lineEdit();
    return nullptr;
}

std::string QtView::Text(Control control) const {
    const QObject* object = control == ctl::Window ? window_.get() : controls_.Find(control);
    if (!object) return {};
    QString shown = ShownText(object);
    QVariant written = object->property(kProgramText);
    if (written.isValid() && ForDisplay(written.toString().toStdString()) == shown)
        return written.toString().toStdString();
    return shown.toStdString();
}

void QtView::SetText(Control control, const std::string& text) {
    QObject* object = control == ctl::Window ? window_.get() : controls_.Find(control);
    if (!object) return;
    object->setProperty(kProgramText, ToQt(text));
    ShowText(object, ForDisplay(text));
}

void QtView::SetToolTip(Control control, const std::string& tip) {
    QObject* object = controls_.Find(control);
    if (QAction* action = ActionOf(object)) action->setToolTip(ToQt(tip));
    else if (QWidget* widget = Widget(control)) widget->setToolTip(ToQt(tip));
}

std::string QtView::ToolTip(Control control) const {
    QObject* object = controls_.Find(control);
    if (QAction* action = ActionOf(object)) return action->toolTip().toStdString();
    if (QWidget* widget = Widget(control)) return widget->toolTip().toStdString();
    return {};
}

void QtView::SetForeground(Control control, Rgb colour) {
    QWidget* widget = control == ctl::Window ? nullptr : Widget(control);
    if (!widget) return;
    QColor c(colour.r, colour.g, colour.b);
    if (widget->property(kProgramColour).value<QColor>() == c) return;
    widget->setProperty(kProgramColour, c);
    // A disabled control keeps the platform's greyed text.
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, c);
    widget->setPalette(palette);
}

Rgb QtView::Foreground(Control control) const {
    QWidget* widget = control == ctl::Window ? nullptr : Widget(control);
    if (!widget) return {};
    QVariant written = widget->property(kProgramColour);
    QColor c = written.isValid() ? written.value<QColor>() : widget->palette().color(TextRole(widget));
    return {c.red(), c.green(), c.blue()};
}

void QtView::SetEnabled(Control control, bool enabled) {
    QObject* object = control == ctl::Window ? window_.get() : controls_.Find(control);
    if (QAction* action = ActionOf(object)) action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(object)) widget->setEnabled(enabled);
}

bool QtView::Enabled(Control control) const {
    QObject* object = control == ctl::Window ? window_.get() : controls_.Find(control);
    if (QAction* action = ActionOf(object)) return action->isEnabled();
    // The control's own setting, as the program set it.
    if (auto* widget = qobject_cast<QWidget*>(object)) return !widget->testAttribute(Qt::WA_ForceDisabled);
    return true;
}

void QtView::SetVisible(Control control, bool visible) {
    if (control == ctl::Window) {
        visible ? Show() : Hide();
        return;
    }
    QObject* object = controls_.Find(control);
    if (QAction* action = ActionOf(object)) action->setVisible(visible);
    else if (auto* widget = qobject_cast<QWidget*>(object)) widget->setVisible(visible);
}

bool QtView::Visible(Control control) const {
    if (control == ctl::Window) return IsShown();
    QObject* object = controls_.Find(control);
    if (QAction* action = ActionOf(object)) return action->isVisible();
    // The control's own setting: a control of a hidden window is still visible.
    if (auto* widget = qobject_cast<QWidget*>(object)) return !widget->isHidden();
    return true;
}

void QtView::SetChecked(Control control, bool checked) {
    QObject* object = controls_.Find(control);
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setChecked(checked);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        // The option buttons are not exclusive by themselves: the program selects
        // one and clears the other.
        button->setChecked(checked);
    }
}

bool QtView::Checked(Control control) const {
    QObject* object = controls_.Find(control);
    if (auto* action = qobject_cast<QAction*>(object)) return action->isChecked();
    if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->isChecked();
    return false;
}

void QtView::SetItems(Control control, const std::vector<std::string>& items) {
    auto* combo = controls_.As<QComboBox>(control);
    if (!combo) return;
    std::string text = Text(control);
    QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& item : items) combo->addItem(ForDisplay(item));
    ShowText(combo, ForDisplay(text));
}

std::vector<std::string> QtView::Items(Control control) const {
    std::vector<std::string> items;
    if (auto* combo = controls_.As<QComboBox>(control))
        for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
    return items;
}

QWidget* QtView::FocusWidget(Control control) const {
    QWidget* widget = control == ctl::Window ? nullptr : Widget(control);
    if (!widget || widget->focusPolicy() == Qt::NoFocus) return nullptr;
    if (!widget->isEnabledTo(window_.get()) || !widget->isVisibleTo(window_.get())) return nullptr;
    return widget;
}

bool QtView::IsUsable(Control control) const { return FocusWidget(control) != nullptr; }

void QtView::SetFocus(Control control) {
    QWidget* widget = FocusWidget(control);
    if (!widget) return;  // a hidden or disabled control cannot take the focus
    std::optional<Control> old = current_;
    current_ = control;
    widget->setFocus(Qt::OtherFocusReason);
    if (old == control) return;
    if (old) presenter_.LostFocus(*old);
    // A lose-focus handler may have sent the focus elsewhere.
    if (!dying_ && current_ == control) presenter_.GotFocus(control);
}

void QtView::SelectAll(Control control) {
    if (QLineEdit* edit = EditOf(control)) {
        int length = static_cast<int>(edit->text().size());
        edit->setSelection(length, -length);  // caret at 0
    }
}

void QtView::SetTabOrder(const std::vector<Control>& controls) {
    tabOrder_ = controls;
    QWidget* previous = nullptr;
    for (Control control : controls) {
        QWidget* widget = Widget(control);
        if (!widget || widget->focusPolicy() == Qt::NoFocus) continue;
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void QtView::FocusNext(bool backwards) {
    std::vector<Control> order = tabOrder_;
    if (order.empty()) {
        // The window's own chain, from its first control.
        QWidget* start = window_->centralWidget();
        for (QWidget* w = start ? start->nextInFocusChain() : nullptr; w && w != start;
             w = w->nextInFocusChain()) {
            std::optional<Control> control = controls_.ControlOf(w);
            if (control && (w->focusPolicy() & Qt::TabFocus)) order.push_back(*control);
            if (order.size() > 1000) break;
        }
    }
    if (order.empty()) return;
    int n = static_cast<int>(order.size());
    auto it = std::find(order.begin(), order.end(), current_);
    int i = it == order.end() ? (backwards ? 0 : -1) : static_cast<int>(it - order.begin());
    for (int step = 0; step < n; ++step) {
        i = ((backwards ? i - 1 : i + 1) % n + n) % n;
        if (IsUsable(order[i])) {
            // The keyboard moved the focus: the control shows the focus mark,
            // as after Tab, so that the user sees where Space will act.
            window_->setAttribute(Qt::WA_KeyboardFocusChange);
            SetFocus(order[i]);
            return;
        }
    }
}

MsgAnswer QtView::MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) {
    QMessageBox::Icon qicon = icon == MsgIcon::Critical      ? QMessageBox::Critical
                              : icon == MsgIcon::Exclamation ? QMessageBox::Warning
                                                             : QMessageBox::Information;
    QMessageBox::StandardButtons qbuttons =
        buttons == MsgButtons::OKCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok;
    QPointer<QMessageBox> box = new QMessageBox(qicon, ToQt(title), ForDisplay(text), qbuttons, window_.get());
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(buttons == MsgButtons::OKCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    std::shared_ptr<bool> alive = alive_;
    ++dialogDepth_;
    int result = box->exec();
    if (!*alive) return result == QMessageBox::Ok ? MsgAnswer::OK : MsgAnswer::Cancel;
    --dialogDepth_;
    delete box.data();
    ReturnFromDialog();
    if (buttons == MsgButtons::OK) return MsgAnswer::OK;
    return result == QMessageBox::Ok ? MsgAnswer::OK : MsgAnswer::Cancel;
}

std::string QtView::InputBox(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) {
    QPointer<QInputDialog> dialog = new QInputDialog(window_.get());
    dialog->setWindowTitle(ToQt(title));
    dialog->setLabelText(ForDisplay(prompt));
    dialog->setTextValue(ToQt(defaultText));
    dialog->setInputMode(QInputDialog::TextInput);
    std::shared_ptr<bool> alive = alive_;
    ++dialogDepth_;
    bool ok = dialog->exec() == QDialog::Accepted;
    std::string answer = ok && dialog ? dialog->textValue().toStdString() : std::string();
    if (!*alive) return answer;
    --dialogDepth_;
    delete dialog.data();
    ReturnFromDialog();
    return answer;
}

void QtView::ReturnFromDialog() {
    // The window that asked is the active one again, with its focus where it was
    // or where the answer's handler puts it; that activation is not the user's.
    if (window_->isActiveWindow() || !window_->isVisible()) return;
    ExpectActivation();
    window_->activateWindow();
}

void QtView::Show() {
    if (window_->testAttribute(Qt::WA_ShowWithoutActivating)) {
        // A notice that comes up beside the active window and leaves it active.
        QtView* active = platform_.lastActive_;
        returnTo_ = active && active != this ? active->window() : QApplication::activeWindow();
        window_->show();
        window_->raise();
        return;
    }
    if (!window_->isActiveWindow()) ExpectActivation();
    bool modal = qt::IsModalForm(id_);
    if (modal) window_->setWindowModality(Qt::ApplicationModal);
    const std::optional<QMargins> placed = PlaceInsideFrame();
    window_->show();
    if (placed) {
        // The page is filled as it opens: once it is, it must still fit its screen.
        const QSize opened = window_->size();
        const QMargins frame = *placed;
        std::shared_ptr<bool> alive = alive_;
        QTimer::singleShot(0, window_.get(), [this, alive, opened, frame] {
            if (*alive) KeepOnScreenAfterGrowing(opened, frame);
        });
    }
    window_->raise();
    window_->activateWindow();
    if (!modal || modalLoop_) return;
    // A modal form keeps the caller waiting until it is hidden or unloaded.
    QEventLoop loop;
    modalLoop_ = &loop;
    std::shared_ptr<bool> alive = alive_;
    loop.exec(QEventLoop::DialogExec);
    if (*alive) modalLoop_ = nullptr;
}

std::optional<QMargins> QtView::PlaceInsideFrame() {
    // A window placed while hidden stands by its frame, and the window manager
    // draws the frame only once the window is up. A window that grows then (a
    // page fills its rows as it opens) would have its frame position taken for
    // the position of its inside, and its title bar would land above the
    // place, above the screen's top edge at worst. Where another window shows
    // the frame to expect, the place is given as that of the inside.
    const bool firstShow = !shownBefore_;
    shownBefore_ = true;
    if (!firstShow || window_->isVisible() || !window_->testAttribute(Qt::WA_Moved)) return std::nullopt;
    if (window_->windowState() != Qt::WindowNoState) return std::nullopt;
    std::optional<QMargins> frame = qt::ExpectedFrame(window_.get());
    if (!frame) return std::nullopt;
    window_->setGeometry(QRect(window_->pos() + QPoint(frame->left(), frame->top()), window_->size()));
    return frame;
}

void QtView::KeepOnScreenAfterGrowing(QSize opened, QMargins frame) {
    if (dying_ || !window_->isVisible() || window_->windowState() != Qt::WindowNoState) return;
    if (QLayout* layout = window_->layout()) layout->activate();
    const QRect inside = window_->geometry();
    if (inside.width() <= opened.width() && inside.height() <= opened.height()) return;
    if (std::optional<QMargins> drawn = qt::DrawnFrame(window_.get())) frame = *drawn;
    // It stays on the screen its title bar is on, moving back from the right
    // and bottom edges as far as it grew past them, never past the left and top.
    const QRect outer = inside.marginsAdded(frame);
    QScreen* screen = QGuiApplication::screenAt(QPoint(outer.left() + std::min(outer.width() / 2, 40), outer.top()));
    if (!screen) screen = window_->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    int dx = 0, dy = 0;
    if (outer.right() > area.right()) dx = std::max(area.right() - outer.right(), std::min(0, area.left() - outer.left()));
    if (outer.bottom() > area.bottom())
        dy = std::max(area.bottom() - outer.bottom(), std::min(0, area.top() - outer.top()));
    if (dx != 0 || dy != 0) window_->setGeometry(inside.translated(dx, dy));
}

void QtView::Hide() {
    // Where a notice took the activation after all (a platform that does not
    // honour the request), the window it took it from gets it back, and not
    // whichever window the desktop picks: the program's own doing, not the user's.
    QPointer<QWidget> returnTo = returnTo_;
    returnTo_.clear();
    bool giveBack = returnTo && returnTo != window_.get() && window_->isActiveWindow() && returnTo->isVisible();
    window_->hide();
    if (giveBack) {
        for (const auto& [id, view] : platform_.views_)
            if (view->window() == returnTo.data()) view->ExpectActivation();
        returnTo->activateWindow();
    }
    if (modalLoop_) modalLoop_->quit();
}

bool QtView::IsShown() const { return window_->isVisible(); }

}  // namespace involvo
