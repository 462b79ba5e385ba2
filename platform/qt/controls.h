// The named controls of one Qt window, and the small builder that the window
// layouts use to create them. A control is a widget, a menu or a menu item,
// found by its name (ctl::InputNT, ctl::Label(5), ctl::MnuDepth(9)).
#pragma once

#include <map>
#include <optional>
#include <string>

#include <QPointer>
#include <QString>

#include "platform/names.h"

class QAction;
class QBoxLayout;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QCheckBox;
class QWidget;

namespace involvo::qt {

// What a control does beyond its kind.
enum ControlRole : unsigned {
    kPlain = 0,
    kHover = 1,      // reports the mouse moving over it
    kClickable = 2,  // a label that reports clicks
    kEntry = 4,      // a text the user types into (keys go through the key filter)
};

class ControlMap {
public:
    // Registers a control; its name as text becomes the object name.
    void Add(Control control, QObject* object, unsigned roles = kPlain);
    QObject* Find(Control control) const;
    template <class T>
    T* As(Control control) const {
        return qobject_cast<T*>(Find(control));
    }
    // The control of a registered object; nothing for any other object.
    std::optional<Control> ControlOf(const QObject* object) const;
    bool HasRole(Control control, ControlRole role) const;
    // The control that a widget belongs to: the widget itself or the nearest
    // registered ancestor below `top`; nothing when there is none.
    std::optional<Control> Owner(const QWidget* widget, const QWidget* top) const;

    template <class F>
    void ForEach(F f) const {
        for (const auto& [control, c] : byControl_)
            if (c.object) f(control, c.object.data(), c.roles);
    }

private:
    struct Entry {
        QPointer<QObject> object;
        unsigned roles = kPlain;
    };
    std::map<Control, Entry> byControl_;
    std::map<const QObject*, Control> byObject_;
};

// Creates named controls for a window; every widget is created without a parent
// and placed by the caller's layouts.
class FormBuilder {
public:
    FormBuilder(QMainWindow* window, ControlMap& controls) : window_(window), controls_(controls) {}

    QLabel* Label(Control control, unsigned roles = kPlain);
    QLineEdit* Entry(Control control);
    QLineEdit* Value(Control control, int minimumChars = 12);  // read-only
    QComboBox* List(Control control, bool editable);
    QPushButton* Button(Control control);
    QRadioButton* Option(Control control);
    QCheckBox* Check(Control control);
    QGroupBox* Frame(Control control, unsigned roles = kPlain);
    QLabel* Note(Control control);
    QMenu* Menu(Control control);                      // on the menu bar
    QMenu* Submenu(QMenu* parent, Control control);
    QAction* Item(QMenu* menu, Control control, bool checkable = false);
    QAction* Separator(QMenu* menu, Control control);

    // Escape anywhere in the window presses this button, as a dialog's Cancel.
    void EscapePresses(QPushButton* button);

    // A decoration line across the window.
    static QWidget* Rule();
    // The printer picture of the print buttons.
    QPushButton* PrintButton(Control control);

    // A caption label that always reads the current text of a drop-down list.
    static void CaptionFollows(QComboBox* list, QLabel* caption);
    // Brings the caption that follows a list up to date.
    static void UpdateCaption(QComboBox* list);

    QMainWindow* window() const { return window_; }

private:
    QMainWindow* window_;
    ControlMap& controls_;
};

}  // namespace involvo::qt
