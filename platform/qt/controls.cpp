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

void ControlMap::Add(Control control, QObject* object, unsigned roles) {
    object->setObjectName(QString::fromStdString(NameOf(control)));
    byControl_.insert_or_assign(control, Entry{object, roles});
    byObject_.insert_or_assign(object, control);
}

QObject* ControlMap::Find(Control control) const {
    auto it = byControl_.find(control);
    return it == byControl_.end() ? nullptr : it->second.object.data();
}

std::optional<Control> ControlMap::ControlOf(const QObject* object) const {
    auto it = byObject_.find(object);
    if (it == byObject_.end()) return std::nullopt;
    return it->second;
}

bool ControlMap::HasRole(Control control, ControlRole role) const {
    auto it = byControl_.find(control);
    return it != byControl_.end() && (it->second.roles & role) != 0;
}

std::optional<Control> ControlMap::Owner(const QWidget* widget, const QWidget* top) const {
    for (const QWidget* w = widget; w && w != top; w = w->parentWidget()) {
        if (std::optional<Control> control = ControlOf(w)) return control;
        if (w->isWindow()) break;
    }
    return std::nullopt;
}

QLabel* FormBuilder::Label(Control control, unsigned roles) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    controls_.Add(control, label, roles);
    return label;
}

QLineEdit* FormBuilder::Entry(Control control) {
    auto* edit = new QLineEdit;
    // Text arrives by typing and pasting only, through the key filter.
    edit->setAcceptDrops(false);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
    controls_.Add(control, edit, kEntry);
    return edit;
}

QLineEdit* FormBuilder::Value(Control control, int minimumChars) {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setAcceptDrops(false);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * minimumChars);
    controls_.Add(control, edit);
    return edit;
}

QComboBox* FormBuilder::List(Control control, bool editable) {
    auto* combo = new QComboBox;
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    if (QLineEdit* edit = combo->lineEdit()) edit->setAcceptDrops(false);
    controls_.Add(control, combo, kEntry);
    return combo;
}

QPushButton* FormBuilder::Button(Control control) {
    auto* button = new QPushButton;
    button->setAutoDefault(false);
    controls_.Add(control, button);
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

QPushButton* FormBuilder::PrintButton(Control control) {
    QPushButton* button = Button(control);
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

QRadioButton* FormBuilder::Option(Control control) {
    auto* option = new QRadioButton;
    // The program selects and clears the option buttons itself.
    option->setAutoExclusive(false);
    controls_.Add(control, option, kHover);
    return option;
}

QCheckBox* FormBuilder::Check(Control control) {
    auto* check = new QCheckBox;
    controls_.Add(control, check);
    return check;
}

QGroupBox* FormBuilder::Frame(Control control, unsigned roles) {
    auto* frame = new QGroupBox;
    controls_.Add(control, frame, roles);
    return frame;
}

QLabel* FormBuilder::Note(Control control) {
    // A read-only note of several lines, as wide as its longest line.
    auto* note = new QLabel;
    note->setTextFormat(Qt::PlainText);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    controls_.Add(control, note);
    return note;
}

QMenu* FormBuilder::Menu(Control control) {
    QMenu* menu = window_->menuBar()->addMenu(QString());
    menu->setToolTipsVisible(true);
    controls_.Add(control, menu);
    return menu;
}

QMenu* FormBuilder::Submenu(QMenu* parent, Control control) {
    QMenu* menu = parent->addMenu(QString());
    menu->setToolTipsVisible(true);
    controls_.Add(control, menu);
    return menu;
}

QAction* FormBuilder::Item(QMenu* menu, Control control, bool checkable) {
    QAction* action = menu->addAction(QString());
    action->setCheckable(checkable);
    controls_.Add(control, action);
    return action;
}

QAction* FormBuilder::Separator(QMenu* menu, Control control) {
    QAction* action = menu->addSeparator();
    controls_.Add(control, action);
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
