#include "platform/qt_shell/qt_desktop.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/qt/window_frame.h"
#include "platform/view.h"

namespace involvo::qtshell {

namespace {

// Pixels beyond any desktop, and the largest window size Qt accepts.
constexpr double kFarPixels = 1.0e6;
constexpr double kLargestSidePixels = 100000;

// A help file larger than this is not a help file.
constexpr qint64 kLargestHelpFile = 32 * 1024 * 1024;

int Pixels(double twips, double low, double high) {
    double px = twips / QtDesktop::TwipsPerPixel();
    if (std::isnan(px)) px = 0;
    return static_cast<int>(std::lround(std::clamp(px, low, high)));
}

double Twips(int pixels) { return std::round(pixels * QtDesktop::TwipsPerPixel()); }

TwipsRect ToTwips(const QRect& r) { return {Twips(r.x()), Twips(r.y()), Twips(r.width()), Twips(r.height())}; }

// How much a window with this name looks like the live one: shown, or never
// hidden (just loaded), rather than hidden by its unload.
int Liveliness(const QWidget* w) {
    if (w->isVisible()) return 2;
    if (!w->testAttribute(Qt::WA_WState_ExplicitShowHide)) return 1;
    return 0;
}

}  // namespace

QWidget* TopLevelNamed(FormId form) {
    const QString name = QString::fromLatin1(FormName(form));
    QWidget* best = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != name) continue;
        if (!best || Liveliness(w) > Liveliness(best)) best = w;
    }
    return best;
}

QtDesktop::QtDesktop(WindowFinder finder, QString systemSettingsFile)
    : finder_(std::move(finder)), systemSettingsFile_(std::move(systemSettingsFile)) {}

QtDesktop::~QtDesktop() { delete helpWindow_.data(); }

double QtDesktop::TwipsPerPixel() {
    QScreen* screen = QGuiApplication::primaryScreen();
    double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    if (!(dpi >= 1.0 && dpi <= 10000.0)) dpi = 96.0;
    return 1440.0 / dpi;
}

QWidget* QtDesktop::WindowOf(FormId form) const { return finder_ ? finder_(form) : TopLevelNamed(form); }

namespace {

// The frame of a window in twips: as drawn, as another window of the program
// shows it, or else about what a desktop draws (a title bar and thin borders).
FrameMargins FrameOf(const QWidget* w) {
    QMargins m;
    if (std::optional<QMargins> known = qt::ExpectedFrame(w)) {
        m = *known;
    } else if (!w->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        const QStyle* style = w->style();
        const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, w);
        const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, w);
        m = QMargins(border, title, border, border);
    }
    return {Twips(m.left()), Twips(m.top()), Twips(m.right()), Twips(m.bottom())};
}

// The window's layout gives it its least size at once, not only when it comes
// up: a restored size below it is then seen for what it will be.
void Settle(QWidget* w) {
    w->ensurePolished();
    if (QLayout* layout = w->layout()) layout->activate();
}

}  // namespace

std::optional<WindowPlacement> QtDesktop::Placement(FormId form) {
    QWidget* w = WindowOf(form);
    if (!w) return std::nullopt;
    Settle(w);
    WindowPlacement p;
    p.rect = ToTwips(QRect(w->pos(), w->size()));
    p.frame = FrameOf(w);
    p.maximized = w->isMaximized();
    p.minimized = w->isMinimized();
    p.sizable = w->minimumSize() != w->maximumSize() && !w->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
    return p;
}

void QtDesktop::MoveWindow(FormId form, const TwipsRect& rect) {
    QWidget* w = WindowOf(form);
    if (!w) return;
    Settle(w);
    w->move(Pixels(rect.left, -kFarPixels, kFarPixels), Pixels(rect.top, -kFarPixels, kFarPixels));
    if (w->minimumSize() != w->maximumSize())
        w->resize(Pixels(rect.width, 1, kLargestSidePixels), Pixels(rect.height, 1, kLargestSidePixels));
}

void QtDesktop::MaximizeWindow(FormId form) {
    if (QWidget* w = WindowOf(form)) w->setWindowState((w->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

std::vector<TwipsRect> QtDesktop::Screens() {
    std::vector<TwipsRect> screens;
    for (QScreen* s : QGuiApplication::screens()) screens.push_back(ToTwips(s->availableGeometry()));
    return screens;
}

std::string QtDesktop::ProgramFolder() {
    QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return QDir::toNativeSeparators(folder).toStdString();
}

std::string QtDesktop::PathSeparator() { return QString(QDir::separator()).toStdString(); }

bool QtDesktop::FileExists(const std::string& path) {
    QFileInfo info(QString::fromStdString(path));
    return info.exists() && info.isFile();
}

std::string QtDesktop::FindProgram(const std::string& name) {
    return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
}

bool QtDesktop::Launch(const std::string& path) {
    if (path.empty()) return false;
    return QProcess::startDetached(QString::fromStdString(path), {});
}

QWidget* QtDesktop::HelpWindow() const { return helpWindow_.data(); }

QTextBrowser* QtDesktop::HelpText() const {
    return helpWindow_ ? helpWindow_->findChild<QTextBrowser*>(QStringLiteral("HelpText")) : nullptr;
}

std::string QtDesktop::ShowHelpContents(FormId owner, const std::string& path) {
    const QString file = QString::fromStdString(path);
    const QFileInfo info(file);
    if (info.isDir()) return "It is a folder, not a help file.";
    // A pipe would keep the program waiting for a writer, a device like
    // /dev/zero would never end: only a regular file is opened.
    if (info.exists() && !info.isFile()) return "It is not a file but a device or a pipe.";
    QFile help(file);
    if (!help.open(QIODevice::ReadOnly)) return help.errorString().toStdString();
    if (help.size() > kLargestHelpFile) return "It is too large for a help file.";
    // Read no more than a help file can hold, whatever the size said.
    const QByteArray bytes = help.read(kLargestHelpFile + 1);
    if (bytes.size() > kLargestHelpFile) return "It is too large for a help file.";
    if (help.error() != QFileDevice::NoError) return help.errorString().toStdString();
    const QString text = QString::fromUtf8(bytes);

    if (!helpWindow_) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("HelpWindow"));
        window->setWindowTitle(QStringLiteral("Involvo Help"));
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* browser = new QTextBrowser;
        browser->setObjectName(QStringLiteral("HelpText"));
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
        // Escape closes the help, as it closes the program's dialogs.
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        escape->setContext(Qt::WindowShortcut);
        QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
        window->resize(760, 680);
        if (QWidget* main = WindowOf(owner)) {
            QRect area = main->frameGeometry();
            window->move(area.topLeft() + QPoint(40, 40));
        }
        helpWindow_ = window;
    }
    QTextBrowser* browser = HelpText();
    browser->setSearchPaths({QFileInfo(file).absolutePath()});
    if (Qt::mightBeRichText(text))
        browser->setHtml(text);
    else
        browser->setPlainText(text);
    // The contents come first: the page opens at its top.
    browser->moveCursor(QTextCursor::Start);
    browser->ensureCursorVisible();
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
    return {};
}

std::optional<std::string> QtDesktop::MachineSetting(const std::string& key, const std::string& valueName) {
    std::unique_ptr<QSettings> settings =
        systemSettingsFile_.isEmpty()
            ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::SystemScope,
                                          QString::fromLatin1(kProgramName), QString::fromLatin1(kProgramName))
            : std::make_unique<QSettings>(systemSettingsFile_, QSettings::IniFormat);
    if (settings->status() != QSettings::NoError) return std::nullopt;
    QString name = QString::fromStdString(key);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name += QLatin1Char('/') + QString::fromStdString(valueName);
    QVariant value = settings->value(name);
    if (!value.isValid()) return std::nullopt;
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", ")).toStdString();
    return value.toString().toStdString();
}

}  // namespace involvo::qtshell
