// The shell's services on Qt: settings, placement and help; also
// with a folder, a pipe or a device in a file's place, and on a full disk.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QScreen>
#include <QSettings>
#include <QTextBrowser>

#include <chrono>
#include <filesystem>
#include <future>

#include "platform/qt_shell/qt_desktop.h"
#include "platform/qt_shell/qt_settings.h"
#include "tests/qt/qt_support.h"
#include "tests/support/failing_disk.h"

namespace involvo::testing {
namespace {

using qtshell::QtDesktop;
using qtshell::QtSettings;

// Runs `work`; should it wait on the pipe for five seconds, a writer opens the
// pipe (again and again) and lets it go. True when it waited.
template <class F>
bool WaitsOnThePipe(const QString& pipe, F work) {
    std::promise<void> finished;
    auto watchdog = std::async(std::launch::async, [&pipe, done = finished.get_future()] {
        bool waited = false;
        for (auto wait = std::chrono::milliseconds(5000); done.wait_for(wait) != std::future_status::ready;
             wait = std::chrono::milliseconds(100)) {
            const int fd = ::open(pipe.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) waited = ::close(fd) == 0;
        }
        return waited;
    });
    work();
    finished.set_value();
    return watchdog.get();
}

class QtShellTest : public ::testing::Test, public Folder {
protected:
    const double tpp = QtDesktop::TwipsPerPixel();
};

// ---- The settings store ----

TEST_F(QtShellTest, SettingsThatCannotBeWrittenAreReportedAndTheFileKept) {
    Write("Involvo.conf", "[FrmMain_Settings]\nFormLeft=1200\n");
    const bool written = [&] {
        FailingDisk full(0);
        return QtSettings(dir.path()).SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "9999");
    }();
    EXPECT_FALSE(written);
    EXPECT_EQ(Read("Involvo.conf"), "[FrmMain_Settings]\nFormLeft=1200\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Involvo.conf"}) << "no temporary file";
}

// A file where the folder should be, a folder or a pipe where the file should
// be: nothing is read, nothing written, nothing waited for, nothing touched.
TEST_F(QtShellTest, AStoreWithNoFileInItsPlaceIsReportedAndLeftAlone) {
    Write("a-file", "not a folder");
    QDir().mkpath(Path("folder/Involvo.conf/inside"));
    QDir().mkpath(Path("pipe"));
    ASSERT_EQ(::mkfifo(Path("pipe/Involvo.conf").toLocal8Bit().constData(), 0600), 0);
    for (const char* folder : {"a-file", "folder", "pipe"}) {
        EXPECT_FALSE(WaitsOnThePipe(Path("pipe/Involvo.conf"), [&] {
            QtSettings settings(Path(folder));
            EXPECT_EQ(settings.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), std::nullopt) << folder;
            EXPECT_FALSE(settings.SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "1200")) << folder;
        })) << folder;
    }
    EXPECT_EQ(Read("a-file"), "not a folder");
    EXPECT_TRUE(QFileInfo(Path("folder/Involvo.conf/inside")).isDir());
}

TEST_F(QtShellTest, APipeInPlaceOfThePlatformsOwnSettingsFileIsNotRead) {
    const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", Path("config").toLocal8Bit());
    QDir().mkpath(Path("config/Involvo"));
    ASSERT_EQ(::mkfifo(Path("config/Involvo/Involvo.conf").toLocal8Bit().constData(), 0600), 0);
    // Qt fixes the folder of its per-user settings once a process.
    const QString probe = QSettings(QSettings::NativeFormat, QSettings::UserScope, "Probe", "Probe").fileName();
    EXPECT_FALSE(probe.startsWith(Path("config")) && WaitsOnThePipe(Path("config/Involvo/Involvo.conf"), [] {
        EXPECT_EQ(QtSettings().GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), std::nullopt);
        EXPECT_FALSE(QtSettings().SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "1200"));
    }));
    qputenv("XDG_CONFIG_HOME", oldHome);
    if (!probe.startsWith(Path("config"))) GTEST_SKIP() << "the settings folder was fixed earlier: " << probe.toStdString();
}

// ---- Windows ----

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
            main->close();  // its title-bar button ends the program
            ASSERT_TRUE(WaitFor([&] { return run.app_.Ended(); }));
        }
        Program again(dir.path());
        QMainWindow* main = again.Window(FormId::FrmMain);
        EXPECT_EQ(main->isMaximized(), maximized);
        if (!maximized) {
            EXPECT_EQ(QRect(main->pos(), main->size()), left);
        }
    }
}

// Saved small at the top right corner, page 1 grows as it fills its rows: to
// the left and down, never up past the top edge.
TEST_F(QtShellTest, APageThatGrowsAsItOpensKeepsItsTitleBarOnTheScreen) {
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
}

// ---- Help ----

TEST_F(QtShellTest, HelpShowsTheFileReadOnlyWithTheContentsFirstAndEscapeClosesIt) {
    Write("IVOevalHelp.HLP", "<html><body><h1>Involvo Help</h1><h2>Contents</h2>" + QByteArray(2000, '\n') +
                                 "<h2><a name=\"modes\"></a>Modes</h2></body></html>");
    QtDesktop desktop;
    for (int time = 1; time <= 2; ++time) {
        ASSERT_EQ(desktop.ShowHelpContents(FormId::FrmMain, Path("IVOevalHelp.HLP").toStdString()), "");
        ASSERT_TRUE(QTest::qWaitForWindowActive(desktop.HelpWindow()));
        QTextBrowser* text = desktop.HelpText();
        EXPECT_TRUE(text->isReadOnly() && text->toPlainText().startsWith("Involvo Help\nContents"));
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
    const std::pair<const char*, std::string> cases[] = {{"missing.HLP", "No such file or directory"},
                                                         {"folder.HLP", "It is a folder, not a help file."},
                                                         {"pipe.HLP", "It is not a file but a device or a pipe."},
                                                         {"zero.HLP", "It is not a file but a device or a pipe."},
                                                         {"large.HLP", "It is too large for a help file."}};
    QtDesktop desktop;
    for (const auto& [file, told] : cases) {
        EXPECT_FALSE(WaitsOnThePipe(Path("pipe.HLP"), [&] {
            EXPECT_EQ(desktop.ShowHelpContents(FormId::FrmMain, Path(file).toStdString()), told) << file;
        })) << file;
        EXPECT_EQ(desktop.HelpWindow(), nullptr) << file;
    }
}

}  // namespace
}  // namespace involvo::testing
