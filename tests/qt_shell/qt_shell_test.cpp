// The shell's services on Qt: the settings file, window placement on real
// windows, the help window, the machine-wide settings and finding programs;
// and the whole program on the Qt windows, closed and started again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextStream>
#include <QAction>
#include <QTimer>
#include <QLineEdit>
#include <QTest>

#include <memory>

#include "engine/gearmain.h"
#include "platform/qt/qt_view.h"
#include "platform/qt_shell/qt_shell_platform.h"
#include "platform/qt_shell/qt_desktop.h"
#include "platform/qt_shell/qt_settings.h"
#include "platform/qt_shell/qt_shell_platform.h"
#include "shell/application.h"
#include "shell/mod_settings.h"

namespace involvo::qtshell {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "qt_shell_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class QtShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(dir.isValid());
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
};

// ---- The settings store ----

TEST_F(QtShellTest, SettingsRoundTripThroughAFileInTheFolderGiven) {
    QtSettings settings(dir.path());
    EXPECT_EQ(settings.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), std::nullopt);
    EXPECT_TRUE(settings.SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "1200"));
    EXPECT_TRUE(settings.SaveSetting("Involvo", "FrmMain_Settings", "WasMaximized", "True"));
    EXPECT_TRUE(settings.SaveSetting("Involvo", "FrmOutput2_Settings", "FormLeft", "-150"));

    QtSettings again(dir.path());
    EXPECT_EQ(again.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), "1200");
    EXPECT_EQ(again.GetSetting("Involvo", "FrmMain_Settings", "WasMaximized"), "True");
    EXPECT_EQ(again.GetSetting("Involvo", "FrmOutput2_Settings", "FormLeft"), "-150");
    EXPECT_EQ(again.GetSetting("Involvo", "FrmMain_Settings", "FormTop"), std::nullopt);

    // One section per window, the keys as named, in Involvo.conf.
    QSettings file(Path("Involvo.conf"), QSettings::IniFormat);
    EXPECT_EQ(file.value("FrmMain_Settings/FormLeft").toString(), "1200");
    EXPECT_EQ(file.value("FrmOutput2_Settings/FormLeft").toString(), "-150");
}

TEST_F(QtShellTest, HandEditedSettingsReadAsTheirText) {
    Write("Involvo.conf", "[FrmMain_Settings]\nFormLeft=left edge\nFormTop=1 500, 7\nFormWidth=\n");
    QtSettings settings(dir.path());
    EXPECT_EQ(settings.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), "left edge");
    EXPECT_EQ(settings.GetSetting("Involvo", "FrmMain_Settings", "FormTop"), "1 500, 7");
    EXPECT_EQ(settings.GetSetting("Involvo", "FrmMain_Settings", "FormWidth"), "");
}

TEST_F(QtShellTest, SettingsThatCannotBeWrittenAreReportedAndKept) {
    Write("Involvo.conf", "[FrmMain_Settings]\nFormLeft=1200\n");
    QFile::setPermissions(Path("Involvo.conf"), QFileDevice::ReadOwner);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QtSettings settings(dir.path());
    bool written = settings.SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "9999");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (written) GTEST_SKIP() << "running with rights that write read-only files";
    EXPECT_EQ(QtSettings(dir.path()).GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), "1200");
}

TEST_F(QtShellTest, SettingsStoreThatCannotBeCreatedIsReported) {
    Write("not-a-folder", "a file");
    QtSettings settings(Path("not-a-folder"));
    EXPECT_FALSE(settings.SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "1200"));
    EXPECT_EQ(settings.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), std::nullopt);
}

// ---- Windows ----

TEST_F(QtShellTest, TwipsAreFifteenAPixelAtNinetySixDotsPerInch) {
    double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    EXPECT_DOUBLE_EQ(QtDesktop::TwipsPerPixel(), 1440.0 / dpi);
}

TEST_F(QtShellTest, PlacementOfAWindowIsReadAndSetInTwips) {
    QMainWindow window;
    window.setObjectName("FrmOutput1");
    window.setCentralWidget(new QLabel("page"));
    window.move(100, 80);
    window.resize(500, 400);
    QtDesktop desktop;
    const double tpp = QtDesktop::TwipsPerPixel();

    std::optional<WindowPlacement> p = desktop.Placement(FormId::FrmOutput1);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->rect, (TwipsRect{std::round(100 * tpp), std::round(80 * tpp), std::round(500 * tpp),
                                  std::round(400 * tpp)}));
    EXPECT_TRUE(p->sizable);
    EXPECT_FALSE(p->maximized);
    EXPECT_FALSE(p->minimized);

    desktop.MoveWindow(FormId::FrmOutput1, {150 * tpp, 120 * tpp, 640 * tpp, 480 * tpp});
    EXPECT_EQ(window.pos(), QPoint(150, 120));
    EXPECT_EQ(window.size(), QSize(640, 480));

    EXPECT_FALSE(desktop.Placement(FormId::FrmOutput2)) << "no window of that name";
}

TEST_F(QtShellTest, FixedWindowIsNotSizableAndKeepsItsSize) {
    QMainWindow window;
    window.setObjectName("frmAbout");
    window.setFixedSize(300, 200);
    QtDesktop desktop;
    const double tpp = QtDesktop::TwipsPerPixel();
    ASSERT_TRUE(desktop.Placement(FormId::frmAbout));
    EXPECT_FALSE(desktop.Placement(FormId::frmAbout)->sizable);
    desktop.MoveWindow(FormId::frmAbout, {40 * tpp, 30 * tpp, 900 * tpp, 900 * tpp});
    EXPECT_EQ(window.pos(), QPoint(40, 30));
    EXPECT_EQ(window.size(), QSize(300, 200));
}

TEST_F(QtShellTest, MaximisingAHiddenWindowShowsItMaximised) {
    QMainWindow window;
    window.setObjectName("AGMATOL");
    window.resize(400, 300);
    QtDesktop desktop;
    desktop.MaximizeWindow(FormId::AGMATOL);
    EXPECT_TRUE(desktop.Placement(FormId::AGMATOL)->maximized);
    window.show();
    EXPECT_TRUE(window.isMaximized());
}

TEST_F(QtShellTest, AbsurdPlacementsStayWithinWhatTheWindowingSystemTakes) {
    QMainWindow window;
    window.setObjectName("FrmHelical1");
    window.resize(400, 300);
    QtDesktop desktop;
    desktop.MoveWindow(FormId::FrmHelical1, {3.4e38, -3.4e38, 3.4e38, -1});
    EXPECT_LE(window.x(), 1000000);
    EXPECT_GE(window.y(), -1000000);
    EXPECT_GE(window.width(), 1);
    EXPECT_GE(window.height(), 1);
}

TEST_F(QtShellTest, ScreensAreTheAvailableAreasInTwips) {
    QtDesktop desktop;
    std::vector<TwipsRect> screens = desktop.Screens();
    ASSERT_EQ(screens.size(), static_cast<size_t>(QGuiApplication::screens().size()));
    QRect first = QGuiApplication::screens().front()->availableGeometry();
    EXPECT_DOUBLE_EQ(screens.front().width, std::round(first.width() * QtDesktop::TwipsPerPixel()));
}

TEST_F(QtShellTest, UnloadedTwinWaitingToBeDestroyedIsNotTakenForTheNewWindow) {
    auto old = std::make_unique<QMainWindow>();
    old->setObjectName("FrmOutput2");
    old->show();
    old->hide();  // unloaded, not yet destroyed
    QMainWindow fresh;
    fresh.setObjectName("FrmOutput2");
    EXPECT_EQ(TopLevelNamed(FormId::FrmOutput2), &fresh);
}

// ---- Help ----

TEST_F(QtShellTest, HelpShowsTheFileReadOnlyWithTheContentsFirst) {
    Write("IVOevalHelp.HLP",
          "<html><body><h1><a name=\"contents\"></a>Involvo Help</h1><h2>Contents</h2>"
          "<ul><li><a href=\"#modes\">Modes</a></li></ul>" +
              QByteArray(200, ' ') + "<h2><a name=\"modes\"></a>Modes</h2><p>Three.</p></body></html>");
    QtDesktop desktop;
    EXPECT_EQ(desktop.ShowHelpContents(FormId::FrmMain, Path("IVOevalHelp.HLP").toStdString()), "");
    ASSERT_NE(desktop.HelpWindow(), nullptr);
    EXPECT_TRUE(desktop.HelpWindow()->isVisible());
    QTextBrowser* text = desktop.HelpText();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->toPlainText().startsWith("Involvo Help\nContents")) << text->toPlainText().toStdString();
    EXPECT_EQ(text->textCursor().position(), 0);

    // Asked again, the same window comes up.
    QWidget* first = desktop.HelpWindow();
    EXPECT_EQ(desktop.ShowHelpContents(FormId::FrmMain, Path("IVOevalHelp.HLP").toStdString()), "");
    EXPECT_EQ(desktop.HelpWindow(), first);
}

TEST_F(QtShellTest, MissingHelpFileGivesThePlatformsDescription) {
    QtDesktop desktop;
    std::string error = desktop.ShowHelpContents(FormId::FrmMain, Path("IVOHELP/IVOevalHelp.HLP").toStdString());
    QFile probe(Path("IVOHELP/IVOevalHelp.HLP"));
    probe.open(QIODevice::ReadOnly);
    EXPECT_EQ(error, probe.errorString().toStdString());
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(desktop.HelpWindow(), nullptr);
}

TEST_F(QtShellTest, HelpFileThatIsAFolderIsRefused) {
    QDir(dir.path()).mkdir("IVOevalHelp.HLP");
    QtDesktop desktop;
    EXPECT_NE(desktop.ShowHelpContents(FormId::FrmMain, Path("IVOevalHelp.HLP").toStdString()), "");
}

TEST_F(QtShellTest, ShippedHelpFileIsAGuideWithItsContentsFirst) {
    QtDesktop desktop;
    ASSERT_EQ(desktop.ShowHelpContents(FormId::FrmMain, INVOLVO_HELP_SOURCE), "");
    QString text = desktop.HelpText()->toPlainText();
    EXPECT_TRUE(text.startsWith("Involvo Help")) << text.left(80).toStdString();
    for (const char* topic : {"Contents", "Calculate Span Measurement", "Depth System", "a / b", "involvo-cli",
                              "Printout Options", "too large and will contact", "Number of Teeth Spanned"})
        EXPECT_TRUE(text.contains(topic)) << topic;
}

TEST_F(QtShellTest, ProgramFolderIsTheFolderOfTheExecutable) {
    QtDesktop desktop;
    EXPECT_EQ(desktop.ProgramFolder(), QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString());
    EXPECT_EQ(desktop.PathSeparator(), "/");
}

// ---- System information ----

TEST_F(QtShellTest, MachineSettingsAreReadFromTheSystemStore) {
    {
        QSettings system(Path("system.conf"), QSettings::IniFormat);
        system.setValue("SOFTWARE/Microsoft/Shared Tools/MSINFO/PATH", "/usr/bin/hardinfo");
    }
    QtDesktop desktop({}, Path("system.conf"));
    EXPECT_EQ(desktop.MachineSetting("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"), "/usr/bin/hardinfo");
    EXPECT_EQ(desktop.MachineSetting("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"), std::nullopt);
}

TEST_F(QtShellTest, MachineSettingsWrittenByHandAsTheHelpSays) {
    Write("system.conf", "[SOFTWARE]\nMicrosoft\\Shared%20Tools\\MSINFO\\PATH=/opt/tools/sysinfo\n");
    QtDesktop desktop({}, Path("system.conf"));
    EXPECT_EQ(desktop.MachineSetting("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"), "/opt/tools/sysinfo");
}

TEST_F(QtShellTest, ProgramsAreFoundOnTheSearchPathAndFilesTestedAsFiles) {
    Write("sysinfo-tool", "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(Path("sysinfo-tool"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit());
    QtDesktop desktop;
    std::string found = desktop.FindProgram("sysinfo-tool");
    std::string missing = desktop.FindProgram("no-such-sysinfo-tool");
    qputenv("PATH", path);
    EXPECT_EQ(found, Path("sysinfo-tool").toStdString());
    EXPECT_EQ(missing, "");
    EXPECT_TRUE(desktop.FileExists(Path("sysinfo-tool").toStdString()));
    EXPECT_FALSE(desktop.FileExists(dir.path().toStdString())) << "a folder is no file";
    EXPECT_TRUE(desktop.Launch(Path("sysinfo-tool").toStdString()));
    EXPECT_FALSE(desktop.Launch(Path("no-such-sysinfo-tool").toStdString()));
}

// ---- The about box ----

TEST_F(QtShellTest, AboutBoxHasItsControlsAndIsFixed) {
    InstallDesktopIntegration();
    QtShellPlatform platform(dir.path());
    gearmain::GearMain gear;
    Application app(gear, platform);
    platform.SetForms(&app);
    View& view = app.Load(FormId::frmAbout);
    QtView* about = platform.ViewOf(FormId::frmAbout);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(view.Text(ctl::Window), "About Involvo");
    for (Control control : {ctl::picIcon, ctl::lblTitle, ctl::lblVersion, ctl::lblDescription, ctl::cmdOK, ctl::cmdSysInfo})
        EXPECT_NE(about->ObjectOf(control), nullptr) << control;
    EXPECT_EQ(qobject_cast<QPushButton*>(about->ObjectOf(ctl::cmdSysInfo))->text(), "&System Info...");
    auto* icon = qobject_cast<QLabel*>(about->ObjectOf(ctl::picIcon));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull()) << "the program icon";
    about->window()->adjustSize();
    EXPECT_FALSE(platform.desktop().Placement(FormId::frmAbout)->sizable);
    app.Unload(FormId::frmAbout);
}

TEST_F(QtShellTest, EscapeClosesTheAboutBoxAsOkDoes) {
    InstallDesktopIntegration();
    QtShellPlatform platform(dir.path());
    gearmain::GearMain gear;
    Application app(gear, platform);
    platform.SetForms(&app);
    app.StartUpWithoutSplash();
    bool pressed = false;
    // The box is modal: the Escape comes while it waits for the user.
    QTimer::singleShot(300, [&] {
        QtView* about = platform.ViewOf(FormId::frmAbout);
        if (!about || !about->window()->isVisible()) return;
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != about->window()) target = about->window();
        QTest::keyClick(target, Qt::Key_Escape);
        pressed = true;
    });
    // A second timer ends the wait should the Escape not close the box.
    bool stillOpen = false;
    QTimer::singleShot(3000, [&] {
        if (!app.IsLoaded(FormId::frmAbout)) return;
        stillOpen = true;
        app.Unload(FormId::frmAbout);
    });
    qobject_cast<QAction*>(platform.ViewOf(FormId::FrmMain)->ObjectOf(ctl::mnuHelpAbout))->trigger();
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(stillOpen) << "Escape closes the box";
    EXPECT_FALSE(app.IsLoaded(FormId::frmAbout));
    EXPECT_FALSE(app.Ended());
    app.Unload(FormId::FrmMain);
    QApplication::processEvents();
}

TEST_F(QtShellTest, EscapeClosesTheHelpWindow) {
    Write("IVOevalHelp.HLP", "<html><body><h1>Involvo Help</h1></body></html>");
    QtDesktop desktop;
    ASSERT_EQ(desktop.ShowHelpContents(FormId::FrmMain, Path("IVOevalHelp.HLP").toStdString()), "");
    ASSERT_TRUE(QTest::qWaitForWindowActive(desktop.HelpWindow()));
    QTest::keyClick(desktop.HelpText(), Qt::Key_Escape);
    EXPECT_FALSE(desktop.HelpWindow()->isVisible());
    // Asked again, it comes back.
    EXPECT_EQ(desktop.ShowHelpContents(FormId::FrmMain, Path("IVOevalHelp.HLP").toStdString()), "");
    EXPECT_TRUE(desktop.HelpWindow()->isVisible());
}

// ---- The program, closed and started again ----

struct QtRun {
    explicit QtRun(const QString& settings) : platform(settings), app(gear, platform) {
        platform.SetForms(&app);
        app.StartUpWithoutSplash();
        QApplication::processEvents();
    }
    ~QtRun() {
        if (!app.Ended()) app.Unload(FormId::FrmMain);
        QApplication::processEvents();
    }
    QMainWindow* Main() { return platform.ViewOf(FormId::FrmMain)->window(); }
    void Exit() {
        qobject_cast<QPushButton*>(platform.ViewOf(FormId::FrmMain)->ObjectOf(ctl::cmdExit))->click();
        QApplication::processEvents();
    }
    gearmain::GearMain gear;
    QtShellPlatform platform;
    Application app;
};

TEST_F(QtShellTest, InputScreenOpensWhereTheUserLeftItLastTime) {
    {
        QtRun run(dir.path());
        run.Main()->move(123, 77);
        run.Main()->resize(run.Main()->width() + 40, run.Main()->height() + 30);
        QSize size = run.Main()->size();
        run.Exit();
        ASSERT_TRUE(run.app.Ended());
        QSettings file(Path("Involvo.conf"), QSettings::IniFormat);
        const double tpp = QtDesktop::TwipsPerPixel();
        EXPECT_EQ(file.value("FrmMain_Settings/FormLeft").toString().toStdString(), gearmain::Format(123 * tpp, "0"));
        EXPECT_EQ(file.value("FrmMain_Settings/FormHeight").toString().toStdString(),
                  gearmain::Format(size.height() * tpp, "0"));
        EXPECT_EQ(file.value("FrmMain_Settings/WasMaximized").toString(), "False");
        file.setValue("Probe/Size", size);
    }
    QSettings file(Path("Involvo.conf"), QSettings::IniFormat);
    QSize size = file.value("Probe/Size").toSize();
    QtRun again(dir.path());
    EXPECT_EQ(again.Main()->pos(), QPoint(123, 77));
    EXPECT_EQ(again.Main()->size(), size);
}

TEST_F(QtShellTest, InputScreenClosedMaximisedOpensMaximised) {
    {
        QtRun run(dir.path());
        run.Main()->showMaximized();
        QApplication::processEvents();
        ASSERT_TRUE(run.Main()->isMaximized());
        run.Exit();
    }
    QtRun again(dir.path());
    EXPECT_TRUE(again.Main()->isMaximized());
}

TEST_F(QtShellTest, InputScreenLeftOnAScreenThatIsGoneComesBack) {
    Write("Involvo.conf", "[FrmMain_Settings]\nFormLeft=9000000\nFormTop=-9000000\nFormWidth=9000\nFormHeight=6000\n");
    QtRun run(dir.path());
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(QRect(run.Main()->pos(), run.Main()->size())))
        << run.Main()->x() << "," << run.Main()->y();
}

// Types teeth and pitch and presses Calculate: page 1 opens.
QMainWindow* CalculateToPageOne(QtRun& run) {
    QtView* main = run.platform.ViewOf(FormId::FrmMain);
    if (!QTest::qWaitForWindowActive(main->window())) return nullptr;
    for (auto [field, text] : {std::pair{ctl::InputNT, "24"}, std::pair{ctl::InputDP, "10"}}) {
        auto* edit = qobject_cast<QLineEdit*>(main->ObjectOf(field));
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    qobject_cast<QPushButton*>(main->ObjectOf(ctl::CmdCalc))->click();
    QtView* page = run.platform.ViewOf(FormId::FrmOutput1);
    if (!page) return nullptr;
    if (!QTest::qWaitFor([page] { return page->window()->isVisible(); }, 3000)) return nullptr;
    QTest::qWait(300);  // the window manager frames it; the page has grown
    return page->window();
}

TEST_F(QtShellTest, APageThatGrowsAsItOpensKeepsItsTitleBarAndFrameOnTheScreen) {
    // Saved small, at the top right corner of the screen: page 1 grows as it
    // fills its rows, to the left and down, never up past the top edge.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const double tpp = QtDesktop::TwipsPerPixel();
    Write("Involvo.conf", QStringLiteral("[FrmOutput1_Settings]\nFormLeft=%1\nFormTop=%2\nFormWidth=%3\n"
                                         "FormHeight=%3\nWasMaximized=False\n")
                              .arg(std::lround((screen.right() - 150) * tpp))
                              .arg(std::lround(screen.top() * tpp))
                              .arg(std::lround(100 * tpp))
                              .toUtf8());
    QtRun run(dir.path());
    QMainWindow* page = CalculateToPageOne(run);
    ASSERT_NE(page, nullptr);
    const QRect frame = page->frameGeometry();
    EXPECT_GE(frame.top(), screen.top()) << "the title bar is on the screen";
    EXPECT_LT(page->geometry().top(), screen.top() + 100);
    EXPECT_LE(frame.right(), screen.right()) << "grown wider, it moved back from the right edge";
    EXPECT_GT(page->width(), 100);

    // Closed, it is saved where it stood.
    run.Exit();
    QSettings file(Path("Involvo.conf"), QSettings::IniFormat);
    EXPECT_GE(file.value("FrmOutput1_Settings/FormTop").toDouble(), screen.top() * tpp);
    EXPECT_EQ(file.value("FrmOutput1_Settings/FormLeft").toString().toStdString(),
              gearmain::Format(frame.left() * tpp, "0"));
}

TEST_F(QtShellTest, ProgramIconIsBuiltIn) {
    EXPECT_FALSE(ProgramIcon().isNull());
    EXPECT_FALSE(ProgramIcon().pixmap(64, 64).isNull());
}

}  // namespace
}  // namespace involvo::qtshell
