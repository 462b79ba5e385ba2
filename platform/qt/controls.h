// The named controls of one Qt window, and the small builder that the window
// layouts use to create them. A control is a widget, a menu or a menu item,
// found by its program name ("InputNT", "Label(5)", "MnuDepth(9)").
#pragma once

#include <map>
#include <string>

#include <QPointer>
#include <QString>

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
    // Registers a control; its object name becomes the program name.
    void Add(const std::string& name, QObject* object, unsigned roles = kPlain);
    QObject* Find(const std::string& name) const;
    template <class T>
    T* As(const std::string& name) const {
        return qobject_cast<T*>(Find(name));
    }
    // The program name of a registered object, or "".
    std::string NameOf(const QObject* object) const;
    bool HasRole(const std::string& name, ControlRole role) const;
    // The named control that a widget belongs to: the widget itself or the
    // nearest registered ancestor below `top`; "" when there is none.
    std::string Owner(const QWidget* widget, const QWidget* top) const;

    template <class F>
    void ForEach(F f) const {
        for (const auto& [name, c] : byName_)
            if (c.object) f(name, c.object.data(), c.roles);
    }

private:
    struct Entry {
        QPointer<QObject> object;
        unsigned roles = kPlain;
    };
    std::map<std::string, Entry> byName_;
    std::map<const QObject*, std::string> byObject_;
};

// Creates named controls for a window; every widget is created without a parent
// and placed by the caller's layouts.
class FormBuilder {
public:
    FormBuilder(QMainWindow* window, ControlMap& controls) : window_(window), controls_(controls) {}

    QLabel* Label(const std::string& name, unsigned roles = kPlain);
    QLineEdit* Entry(const std::string& name);
    QLineEdit* Value(const std::string& name, int minimumChars = 12);  // read-only
    QComboBox* List(const std::string& name, bool editable);
    QPushButton* Button(const std::string& name);
    QRadioButton* Option(const std::string& name);
    QCheckBox* Check(const std::string& name);
    QGroupBox* Frame(const std::string& name, unsigned roles = kPlain);
    QLabel* Note(const std::string& name);
    QMenu* Menu(const std::string& name);                      // on the menu bar
    QMenu* Submenu(QMenu* parent, const std::string& name);
    QAction* Item(QMenu* menu, const std::string& name, bool checkable = false);
    QAction* Separator(QMenu* menu, const std::string& name);

    // Escape anywhere in the window presses this button, as a dialog's Cancel.
    void EscapePresses(QPushButton* button);

    // A decoration line across the window.
    static QWidget* Rule();
    // The printer picture of the print buttons.
    QPushButton* PrintButton(const std::string& name);

    // A caption label that always reads the current text of a drop-down list.
    static void CaptionFollows(QComboBox* list, QLabel* caption);
    // Brings the caption that follows a list up to date.
    static void UpdateCaption(QComboBox* list);

    // The indexed name of a control-array member: Indexed("Text", 3) = "Text(3)".
    static std::string Indexed(const std::string& array, int index);

    QMainWindow* window() const { return window_; }

private:
    QMainWindow* window_;
    ControlMap& controls_;
};

}  // namespace involvo::qt
