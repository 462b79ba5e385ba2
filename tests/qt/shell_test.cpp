// The shell's services on Qt: the settings store, window placement on real
// windows, the help window, the about box, the machine-wide settings and
// finding programs; the whole program closed and started again, also on
// settings and help files that are damaged, missing, or a folder, a pipe or a
// device in their place, and on a disk that fails the write.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QTextBrowser>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>

#include "platform/qt_shell/qt_desktop.h"
#include "platform/qt_shell/qt_settings.h"
#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

using qtshell::QtDesktop;
using qtshell::QtSettings;

// Lets a reader stuck on a pipe go after five seconds; Stop says whether one was.
class PipeWatchdog {
public:
    explicit PipeWatchdog(std::string path)
        : thread_([this, path] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (cv_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) return;
              int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
              waited_ = fd >= 0;
              if (fd >= 0) ::close(fd);
          }) {}
    ~PipeWatchdog() { Stop(); }
    bool Stop() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        cv_.notify_all();
        if (thread_.joinable()) thread_.join();
        return waited_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    std::atomic<bool> waited_{false};
    std::thread thread_;
};

QByteArray Garbage(int size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xff);
    return bytes;
}

class QtShellTest : public ::testing::Test, public Folder {
protected:
    const double tpp = QtDesktop::TwipsPerPixel();
};

// ---- The settings store ----

TEST_F(QtShellTest, SettingsRoundTripThroughAFileInTheFolderGiven) {
    QtSettings settings(dir.path());
    EXPECT_EQ(settings.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), std::nullopt);
    EXPECT_TRUE(settings.SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "1200"));
    EXPECT_TRUE(settings.SaveSetting("Involvo", "FrmOutput2_Settings", "FormLeft", "-150"));
    QtSettings again(dir.path());
    EXPECT_EQ(again.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), "1200");
    EXPECT_EQ(again.GetSetting("Involvo", "FrmOutput2_Settings", "FormLeft"), "-150");
    EXPECT_EQ(again.GetSetting("Involvo", "FrmMain_Settings", "FormTop"), std::nullopt);
    // One section per window in Involvo.conf; values edited by hand read as their text.
    EXPECT_EQ(QSettings(Path("Involvo.conf"), QSettings::IniFormat).value("FrmOutput2_Settings/FormLeft"), "-150");
    Write("Involvo.conf", "[FrmMain_Settings]\nFormLeft=left edge\nFormTop=1 500, 7\nFormWidth=\n");
    EXPECT_EQ(again.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), "left edge");
    EXPECT_EQ(again.GetSetting("Involvo", "FrmMain_Settings", "FormTop"), "1 500, 7");
    EXPECT_EQ(again.GetSetting("Involvo", "FrmMain_Settings", "FormWidth"), "");
}

TEST_F(QtShellTest, SettingsThatCannotBeWrittenAreReportedAndKept) {
    Write("Involvo.conf", "[FrmMain_Settings]\nFormLeft=1200\n");
    QFile::setPermissions(Path("Involvo.conf"), QFileDevice::ReadOwner);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    bool written = QtSettings(dir.path()).SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "9999");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (written) GTEST_SKIP() << "running with rights that write read-only files";
    EXPECT_EQ(QtSettings(dir.path()).GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), "1200");
}

// A file where the folder should be, a folder or a pipe where the file should
// be: nothing is read, nothing written, nothing waited for, nothing touched.
TEST_F(QtShellTest, AStoreWithNoFileInItsPlaceIsReportedAndLeftAlone) {
    Write("a-file", "not a folder");
    QDir().mkpath(Path("folder/Involvo.conf/inside"));
    QDir().mkpath(Path("pipe"));
    ASSERT_EQ(::mkfifo(Path("pipe/Involvo.conf").toLocal8Bit().constData(), 0600), 0);
    for (const char* folder : {"a-file", "folder", "pipe"}) {
        PipeWatchdog watchdog(Path("pipe/Involvo.conf").toStdString());
        QtSettings settings(Path(folder));
        EXPECT_EQ(settings.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), std::nullopt) << folder;
        EXPECT_FALSE(settings.SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "1200")) << folder;
        EXPECT_FALSE(watchdog.Stop()) << folder << ": the store waited on the pipe";
    }
    EXPECT_EQ(Read("a-file"), "not a folder");
    EXPECT_TRUE(QFileInfo(Path("folder/Involvo.conf/inside")).isDir());
}

TEST_F(QtShellTest, APipeInPlaceOfThePlatformsOwnSettingsFileIsNotRead) {
    const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", Path("config").toLocal8Bit());
    // Qt fixes the folder of its per-user settings once a process.
    const QString probe = QSettings(QSettings::NativeFormat, QSettings::UserScope, "Probe", "Probe").fileName();
    if (!probe.startsWith(Path("config"))) {
        qputenv("XDG_CONFIG_HOME", oldHome);
        GTEST_SKIP() << "the per-user settings folder was fixed earlier in this run: " << probe.toStdString();
    }
    QDir().mkpath(Path("config/Involvo"));
    ASSERT_EQ(::mkfifo(Path("config/Involvo/Involvo.conf").toLocal8Bit().constData(), 0600), 0);
    PipeWatchdog watchdog(Path("config/Involvo/Involvo.conf").toStdString());
    QtSettings store;
    EXPECT_EQ(store.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), std::nullopt);
    EXPECT_FALSE(store.SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "1200"));
    EXPECT_FALSE(watchdog.Stop()) << "the store waited on the pipe";
    qputenv("XDG_CONFIG_HOME", oldHome);
}

// ---- Windows ----

TEST_F(QtShellTest, PlacementOfAWindowIsReadAndSetInTwips) {
    EXPECT_DOUBLE_EQ(tpp, 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInch());
    QMainWindow window, fixed;
    window.setObjectName("FrmOutput1");
    window.move(100, 80);
    window.resize(500, 400);
    fixed.setObjectName("frmAbout");
    fixed.setFixedSize(300, 200);
    QtDesktop desktop;
    std::optional<WindowPlacement> p = desktop.Placement(FormId::FrmOutput1);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->rect, (TwipsRect{std::round(100 * tpp), std::round(80 * tpp), std::round(500 * tpp),
                                  std::round(400 * tpp)}));
    EXPECT_TRUE(p->sizable && !p->maximized && !p->minimized);
    EXPECT_FALSE(desktop.Placement(FormId::frmAbout)->sizable);
    EXPECT_FALSE(desktop.Placement(FormId::FrmOutput2)) << "no window of that name";

    desktop.MoveWindow(FormId::FrmOutput1, {150 * tpp, 120 * tpp, 640 * tpp, 480 * tpp});
    desktop.MoveWindow(FormId::frmAbout, {40 * tpp, 30 * tpp, 900 * tpp, 900 * tpp});
    EXPECT_EQ(window.geometry(), QRect(150, 120, 640, 480));
    EXPECT_EQ(fixed.geometry(), QRect(40, 30, 300, 200)) << "a fixed window keeps its size";
    desktop.MoveWindow(FormId::FrmOutput1, {3.4e38, -3.4e38, 3.4e38, -1});
    EXPECT_TRUE(window.x() <= 1000000 && window.y() >= -1000000 && window.width() >= 1 && window.height() >= 1);

    desktop.MaximizeWindow(FormId::FrmOutput1);  // while hidden
    EXPECT_TRUE(desktop.Placement(FormId::FrmOutput1)->maximized);
    window.show();
    EXPECT_TRUE(window.isMaximized());

    std::vector<TwipsRect> screens = desktop.Screens();
    ASSERT_EQ(screens.size(), static_cast<size_t>(QGuiApplication::screens().size()));
    const QRect first = QGuiApplication::screens().front()->availableGeometry();
    EXPECT_EQ(screens.front(), (TwipsRect{std::round(first.x() * tpp), std::round(first.y() * tpp),
                                          std::round(first.width() * tpp), std::round(first.height() * tpp)}));
}

TEST_F(QtShellTest, AnUnloadedTwinWaitingToBeDestroyedIsNotTakenForTheNewWindow) {
    auto old = std::make_unique<QMainWindow>();
    old->setObjectName("FrmOutput2");
    old->show();
    old->hide();  // unloaded, not yet destroyed
    QMainWindow fresh;
    fresh.setObjectName("FrmOutput2");
    EXPECT_EQ(qtshell::TopLevelNamed(FormId::FrmOutput2), &fresh);
}

TEST_F(QtShellTest, TheInputScreenOpensWhereAndAsTheUserLeftIt) {
    for (bool maximized : {false, true}) {
        QRect left;
        {
            Program run(dir.path());
            QMainWindow* main = run.Window(FormId::FrmMain);
            main->move(123 + maximized, 77);
            main->resize(main->width() + 40, main->height() + 30);
            left = QRect(main->pos(), main->size());
            if (maximized) main->showMaximized();
            Settle();
            run.Click(FormId::FrmMain, ctl::cmdExit);
            ASSERT_TRUE(WaitFor([&] { return run.app_.Ended(); }));
        }
        QSettings file(Path("Involvo.conf"), QSettings::IniFormat);
        if (!maximized) {  // the normal placement, kept from before while maximised
            EXPECT_EQ(file.value("FrmMain_Settings/FormLeft").toString().toStdString(), gearmain::Format(left.x() * tpp, "0"));
        }
        EXPECT_EQ(file.value("FrmMain_Settings/WasMaximized").toString(), maximized ? "True" : "False");
        Program again(dir.path());
        EXPECT_EQ(again.Window(FormId::FrmMain)->isMaximized(), maximized);
        if (!maximized) {
            EXPECT_EQ(QRect(again.Window(FormId::FrmMain)->pos(), again.Window(FormId::FrmMain)->size()), left);
        }
    }
}

TEST_F(QtShellTest, APageThatGrowsAsItOpensKeepsItsTitleBarOnTheScreen) {
    // Saved small at the top right corner: page 1 grows as it fills its rows,
    // to the left and down, never up past the top edge.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    Write("Involvo.conf", QStringLiteral("[FrmOutput1_Settings]\nFormLeft=%1\nFormTop=%2\nFormWidth=%3\nFormHeight=%3\n")
                              .arg(std::lround((screen.right() - 150) * tpp))
                              .arg(std::lround(screen.top() * tpp))
                              .arg(std::lround(100 * tpp))
                              .toUtf8());
    Program run(dir.path());
    ASSERT_TRUE(run.CalculateSpurGear());
    Settle(300);  // the window manager frames it; the page has grown
    const QRect frame = run.Window(FormId::FrmOutput1)->frameGeometry();
    EXPECT_GE(frame.top(), screen.top()) << "the title bar is on the screen";
    EXPECT_LE(frame.right(), screen.right()) << "grown wider, it moved back from the right edge";
    EXPECT_GT(frame.width(), 100);
    run.Click(FormId::FrmMain, ctl::cmdExit);
    QSettings file(Path("Involvo.conf"), QSettings::IniFormat);
    EXPECT_EQ(file.value("FrmOutput1_Settings/FormLeft").toString().toStdString(), gearmain::Format(frame.left() * tpp, "0"));
}

TEST_F(QtShellTest, AFullDiskAtExitKeepsThePlacementSavedBefore) {
    {
        Program first(dir.path());
        first.Window(FormId::FrmMain)->move(123, 77);
        first.Click(FormId::FrmMain, ctl::cmdExit);
    }
    const QByteArray saved = Read("Involvo.conf");
    ASSERT_FALSE(saved.isEmpty());
    {
        Program second(dir.path());
        second.Window(FormId::FrmMain)->move(300, 200);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit full = old;
        full.rlim_cur = 0;  // every write beyond nothing fails, as on a full disk
        sighandler_t oldSignal = signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        second.Click(FormId::FrmMain, ctl::cmdExit);
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, oldSignal);
        EXPECT_TRUE(second.app_.Ended()) << "the program ends all the same";
    }
    EXPECT_EQ(Read("Involvo.conf"), saved) << "the file is as the last good save left it";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{kOptionsFileName, "Involvo.conf"}))
        << "no temporary file is left";
}

// ---- Help ----

TEST_F(QtShellTest, HelpShowsTheFileReadOnlyWithTheContentsFirstAndEscapeClosesIt) {
    Write("IVOevalHelp.HLP", "<html><body><h1><a name=\"contents\"></a>Involvo Help</h1><h2>Contents</h2>" +
                                 QByteArray(2000, '\n') + "<h2><a name=\"modes\"></a>Modes</h2></body></html>");
    QtDesktop desktop;
    for (int time = 1; time <= 2; ++time) {
        ASSERT_EQ(desktop.ShowHelpContents(FormId::FrmMain, Path("IVOevalHelp.HLP").toStdString()), "");
        ASSERT_TRUE(QTest::qWaitForWindowActive(desktop.HelpWindow()));
        QTextBrowser* text = desktop.HelpText();
        EXPECT_TRUE(text->isReadOnly());
        EXPECT_TRUE(text->toPlainText().startsWith("Involvo Help\nContents"));
        EXPECT_EQ(text->textCursor().position(), 0);
        QTest::keyClick(text, Qt::Key_Escape);
        EXPECT_FALSE(desktop.HelpWindow()->isVisible()) << time;
    }
}

TEST_F(QtShellTest, AHelpFileThatCannotBeShownIsToldWhyAndNotWaitedFor) {
    QDir().mkpath(Path("folder.HLP"));
    ASSERT_EQ(::mkfifo(Path("pipe.HLP").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", Path("zero.HLP")));
    Write("large.HLP", "");
    std::filesystem::resize_file(Path("large.HLP").toStdString(), 40u << 20);  // sparse: no disk is used
    QFile missing(Path("missing.HLP"));
    missing.open(QIODevice::ReadOnly);
    const std::pair<const char*, std::string> cases[] = {
        {"missing.HLP", missing.errorString().toStdString()},
        {"folder.HLP", "It is a folder, not a help file."},
        {"pipe.HLP", "It is not a file but a device or a pipe."},
        {"zero.HLP", "It is not a file but a device or a pipe."},
        {"large.HLP", "It is too large for a help file."}};
    QtDesktop desktop;
    for (const auto& [file, told] : cases) {
        PipeWatchdog watchdog(Path("pipe.HLP").toStdString());
        EXPECT_EQ(desktop.ShowHelpContents(FormId::FrmMain, Path(file).toStdString()), told) << file;
        EXPECT_FALSE(watchdog.Stop()) << file << ": the help waited on the pipe";
        EXPECT_EQ(desktop.HelpWindow(), nullptr) << file;
    }
    Write("garbage.HLP", Garbage(20000, 3));
    EXPECT_EQ(desktop.ShowHelpContents(FormId::FrmMain, Path("garbage.HLP").toStdString()), "");
    EXPECT_TRUE(desktop.HelpWindow()->isVisible());
}

TEST_F(QtShellTest, TheHelpMenuTellsOfAMissingHelpFileOnTheInputScreenAndTheProgramGoesOn) {
    Program run(dir.path());
    const QString help = QCoreApplication::applicationDirPath() + "/IVOHELP/IVOevalHelp.HLP";
    ASSERT_FALSE(QFile::exists(help));
    QFile probe(help);
    probe.open(QIODevice::ReadOnly);
    DialogHand hand;
    run.Main<QAction>(ctl::mnuHelpContents)->trigger();
    ASSERT_EQ(hand.Seen().size(), 1u);
    EXPECT_EQ(hand.Seen()[0].text, "The help file " + help.toStdString() + " cannot be shown:\n" +
                                       probe.errorString().toStdString());
    EXPECT_EQ(hand.Seen()[0].window, "FrmMain");
    EXPECT_EQ(hand.Seen()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(run.CalculateSpurGear());
}

// ---- The about box, the machine and its programs ----

TEST_F(QtShellTest, TheAboutBoxShowsTheProgramIconIsFixedAndEscapeClosesIt) {
    Program run(dir.path());
    bool seen = false;
    QObject* context = run.Window(FormId::FrmMain);  // the timers go with the run
    QTimer::singleShot(300, context, [&] {  // the box is modal: this runs while it waits for the user
        QtView* about = run.View(FormId::frmAbout);
        if (!about || !about->window()->isVisible()) return;
        seen = true;
        EXPECT_EQ(about->window()->windowTitle(), "About Involvo");
        EXPECT_TRUE(run.Widget(FormId::frmAbout, ctl::lblTitle)->font().bold());
        EXPECT_FALSE(run.Widget<QLabel>(FormId::frmAbout, ctl::picIcon)->pixmap().isNull());
        EXPECT_EQ(run.Widget<QPushButton>(FormId::frmAbout, ctl::cmdSysInfo)->text(), "&System Info...");
        EXPECT_FALSE(run.platform_.desktop().Placement(FormId::frmAbout)->sizable);
        EXPECT_LE(run.Widget(FormId::frmAbout, ctl::lblVersion)->geometry().bottom(),
                  run.Widget(FormId::frmAbout, ctl::lblDescription)->geometry().top()) << "the version above the description";
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : about->window(), Qt::Key_Escape);
    });
    QTimer::singleShot(3000, context, [&] {  // ends the wait should the Escape not close the box
        if (run.app_.IsLoaded(FormId::frmAbout)) run.app_.Unload(FormId::frmAbout);
    });
    run.Main<QAction>(ctl::mnuHelpAbout)->trigger();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(run.app_.IsLoaded(FormId::frmAbout));
    EXPECT_FALSE(run.app_.Ended());
}

TEST_F(QtShellTest, ProgramsAreFoundOnTheSearchPathAndFilesTestedAsFiles) {
    Write("sysinfo-tool", "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(Path("sysinfo-tool"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
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
    EXPECT_EQ(desktop.ProgramFolder(), QCoreApplication::applicationDirPath().toStdString());
    EXPECT_EQ(desktop.PathSeparator(), "/");
}

}  // namespace
}  // namespace involvo::testing
