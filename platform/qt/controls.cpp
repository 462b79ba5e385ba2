#include "platform/qt/controls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace involvo::qt {

void ControlMap::Add(const std::string& name, QObject* object, unsigned roles) {
    object->setObjectName(QString::fromStdString(name));
    byName_[name] = Entry{object, roles};
    byObject_[object] = name;
}

QObject* ControlMap::Find(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second.object.data();
}

std::string ControlMap::NameOf(const QObject* object) const {
    auto it = byObject_.find(object);
    return it == byObject_.end() ? std::string() : it->second;
}

bool ControlMap::HasRole(const std::string& name, ControlRole role) const {
    auto it = byName_.find(name);
    return it != byName_.end() && (it->second.roles & role) != 0;
}

std::string ControlMap::Owner(const QWidget* widget, const QWidget* top) const {
    for (const QWidget* w = widget; w && w != top; w = w->parentWidget()) {
        std::string name = NameOf(w);
        if (!name.empty()) return name;
        if (w->isWindow()) break;
    }
    return {};
}

std::string FormBuilder::Indexed(const std::string& array, int index) {
    return array + "(" + std::to_string(index) + ")";
}

QLabel* FormBuilder::Label(const std::string& name, unsigned roles) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    controls_.Add(name, label, roles);
    return label;
}

QLineEdit* FormBuilder::Entry(const std::string& name) {
    auto* edit = new QLineEdit;
    // Text arrives by typing and pasting only, through the key filter.
    edit->setAcceptDrops(false);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
    controls_.Add(name, edit, kEntry);
    return edit;
}

QLineEdit* FormBuilder::Value(const std::string& name, int minimumChars) {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setAcceptDrops(false);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * minimumChars);
    controls_.Add(name, edit);
    return edit;
}

QComboBox* FormBuilder::List(const std::string& name, bool editable) {
    auto* combo = new QComboBox;
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    if (QLineEdit* edit = combo->lineEdit()) edit->setAcceptDrops(false);
    controls_.Add(name, combo, kEntry);
    return combo;
}

QPushButton* FormBuilder::Button(const std::string& name) {
    auto* button = new QPushButton;
    button->setAutoDefault(false);
    controls_.Add(name, button);
    return button;
}

namespace {

// A small printer: the sheet going in at the back, the body, the printed sheet
// coming out at the front. Used when the desktop theme has no printer icon.
QIcon DrawnPrinterIcon() {
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / 16.0;
        p.setPen(QPen(QColor(60, 60, 60), u * 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4 * u, 1 * u, 8 * u, 5 * u));
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(1 * u, 5 * u, 14 * u, 7 * u), 1.5 * u, 1.5 * u);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4 * u, 10 * u, 8 * u, 5 * u));
        p.setPen(QPen(QColor(60, 60, 60), u * 0.6));
        p.drawLine(QPointF(5.5 * u, 12 * u), QPointF(10.5 * u, 12 * u));
        p.drawLine(QPointF(5.5 * u, 13.5 * u), QPointF(9 * u, 13.5 * u));
        p.setBrush(QColor(80, 200, 80));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(12.8 * u, 7 * u), 0.8 * u, 0.8 * u);
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QPushButton* FormBuilder::PrintButton(const std::string& name) {
    QPushButton* button = Button(name);
    // One icon for every page: Qt caches an icon's scaled pixmaps by the icon,
    // and a new icon for each page opened would fill that cache a page at a time.
    static const QIcon* const icon = [] {
        QIcon themed = QIcon::fromTheme(QStringLiteral("document-print"));
        return new QIcon(themed.isNull() ? DrawnPrinterIcon() : themed);
    }();
    button->setIcon(*icon);
    int side = button->fontMetrics().height() * 3 / 2;
    button->setIconSize(QSize(side, side));
    return button;
}

void FormBuilder::EscapePresses(QPushButton* button) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window_);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible()) button->click();
    });
}

QRadioButton* FormBuilder::Option(const std::string& name) {
    auto* option = new QRadioButton;
    // The program selects and clears the option buttons itself.
    option->setAutoExclusive(false);
    controls_.Add(name, option, kHover);
    return option;
}

QCheckBox* FormBuilder::Check(const std::string& name) {
    auto* check = new QCheckBox;
    controls_.Add(name, check);
    return check;
}

QGroupBox* FormBuilder::Frame(const std::string& name, unsigned roles) {
    auto* frame = new QGroupBox;
    controls_.Add(name, frame, roles);
    return frame;
}

QLabel* FormBuilder::Note(const std::string& name) {
    // A read-only note of several lines, as wide as its longest line.
    auto* note = new QLabel;
    note->setTextFormat(Qt::PlainText);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    controls_.Add(name, note);
    return note;
}

QMenu* FormBuilder::Menu(const std::string& name) {
    QMenu* menu = window_->menuBar()->addMenu(QString());
    menu->setToolTipsVisible(true);
    controls_.Add(name, menu);
    return menu;
}

QMenu* FormBuilder::Submenu(QMenu* parent, const std::string& name) {
    QMenu* menu = parent->addMenu(QString());
    menu->setToolTipsVisible(true);
    controls_.Add(name, menu);
    return menu;
}

QAction* FormBuilder::Item(QMenu* menu, const std::string& name, bool checkable) {
    QAction* action = menu->addAction(QString());
    action->setCheckable(checkable);
    controls_.Add(name, action);
    return action;
}

QAction* FormBuilder::Separator(QMenu* menu, const std::string& name) {
    QAction* action = menu->addSeparator();
    controls_.Add(name, action);
    return action;
}

namespace {
const char* const kCaptionLabel = "involvoCaption";
}

void FormBuilder::CaptionFollows(QComboBox* list, QLabel* caption) {
    list->setProperty(kCaptionLabel, QVariant::fromValue<QObject*>(caption));
    QObject::connect(list, &QComboBox::currentTextChanged, caption, [list] { UpdateCaption(list); });
}

void FormBuilder::UpdateCaption(QComboBox* list) {
    auto* caption = qobject_cast<QLabel*>(list->property(kCaptionLabel).value<QObject*>());
    if (!caption) return;
    bool placeholder = !list->isEditable() && list->currentIndex() < 0;
    caption->setText(placeholder ? list->placeholderText() : list->currentText());
}

QWidget* FormBuilder::Rule() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace involvo::qt
