// The whole program on the Qt windows with its real settings file and help
// file under faults: garbage, missing keys, a folder or a pipe in their place,
// a settings folder that cannot exist, a disk that fails the write. The program
// starts, works and ends; the help command tells the user what went wrong; and
// placements saved before survive a failed save.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

#include "engine/gearmain.h"
#include "platform/qt/qt_view.h"
#include "platform/qt_shell/qt_desktop.h"
#include "platform/qt_shell/qt_settings.h"
#include "platform/qt_shell/qt_shell_platform.h"
#include "printing/printout_options.h"
#include "shell/application.h"
#include "tests/qt/qt_support.h"

namespace involvo::qtshell {
namespace {

namespace fs = std::filesystem;
using involvo::testing::DialogHand;
using involvo::testing::SeenDialog;

// The one QApplication of the test program.
QApplication& TheApplication() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    static int argc = 1;
    static char name[] = "qt_shell_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// The desktop of a program installed in a folder the test chooses.
class InstalledDesktop : public QtDesktop {
public:
    InstalledDesktop(WindowFinder finder, std::string folder) : QtDesktop(std::move(finder)), folder_(std::move(folder)) {}
    std::string ProgramFolder() override { return folder_; }

private:
    std::string folder_;
};

class InstalledPlatform : public QtShellPlatform {
public:
    InstalledPlatform(const QString& settingsFolder, const std::string& programFolder)
        : QtShellPlatform(settingsFolder),
          installed_(
              [this](FormId form) -> QWidget* {
                  QtView* view = ViewOf(form);
                  return view ? view->window() : nullptr;
              },
              programFolder) {}
    DesktopPort* Desktop() override { return &installed_; }
    InstalledDesktop& installed() { return installed_; }

private:
    InstalledDesktop installed_;
};

// Writes beyond `bytes` fail in this process, as on a full disk, until the
// guard goes.
class FailingDisk {
public:
    explicit FailingDisk(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FailingDisk() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldSignal_);
    }

private:
    rlimit old_{};
    sighandler_t oldSignal_ = SIG_DFL;
};

// Opens a pipe for writing after five seconds unless told to stop first: a
// reader waiting on the pipe is let go, and the test knows it waited.
class PipeWatchdog {
public:
    explicit PipeWatchdog(std::string path)
        : path_(std::move(path)), thread_([this] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (done_cv_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) return;
              waited_ = true;
              int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
              if (fd >= 0) ::close(fd);
          }) {}
    ~PipeWatchdog() { Stop(); }
    // True when the reader had to be let go.
    bool Stop() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        done_cv_.notify_all();
        if (thread_.joinable()) thread_.join();
        return waited_;
    }

private:
    std::string path_;
    std::mutex mutex_;
    std::condition_variable done_cv_;
    bool done_ = false;
    std::atomic<bool> waited_{false};
    std::thread thread_;
};

void Settle(int ms = 50) { QTest::qWait(ms); }

// One run of the program: its settings in `settings`, installed in `program`.
struct QtRun {
    QtRun(const QString& settings, const std::string& program, const fs::path& optionsFile)
        : platform(settings, program), app(gear, platform) {
        platform.SetForms(&app);
        app.SetPrintoutOptionsFile(optionsFile);
        app.StartUpWithoutSplash();
        Settle();
    }
    ~QtRun() {
        if (!app.Ended()) app.Unload(FormId::FrmMain);
        Settle();
    }
    QtView* View(FormId id) { return platform.ViewOf(id); }
    QMainWindow* Main() { return View(FormId::FrmMain)->window(); }
    template <class T>
    T* Widget(FormId id, Control control) {
        QtView* view = View(id);
        return view ? qobject_cast<T*>(view->ObjectOf(control)) : nullptr;
    }
    void Enter(Control field, const QString& keys) {
        auto* edit = Widget<QLineEdit>(FormId::FrmMain, field);
        ASSERT_NE(edit, nullptr) << field;
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    // The user calculates a gear: page 1 comes up with numbers.
    void ExpectACalculationWorks() {
        Main()->activateWindow();  // the user clicks on the input screen
        ASSERT_TRUE(QTest::qWaitForWindowActive(Main()));
        Enter(ctl::InputNT, "24");
        Enter(ctl::InputDP, "10");
        QTest::mouseClick(Widget<QPushButton>(FormId::FrmMain, ctl::CmdCalc), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return app.IsLoaded(FormId::FrmOutput1) && View(FormId::FrmOutput1)->window()->isVisible(); },
            5000));
        auto* over = Widget<QLineEdit>(FormId::FrmOutput1, ctl::Text(6));
        ASSERT_NE(over, nullptr);
        EXPECT_FALSE(over->text().isEmpty());
        EXPECT_GT(gearmain::Val(over->text().toStdString()), 2.4) << "over pins, more than the pitch diameter";
        Main()->activateWindow();  // back on the input screen, the pages close
        EXPECT_TRUE(QTest::qWaitFor([&] { return !app.IsLoaded(FormId::FrmOutput1); }, 5000));
    }
    void Exit() {
        Widget<QPushButton>(FormId::FrmMain, ctl::cmdExit)->click();
        Settle();
    }
    void HelpContents() {
        auto* item = Widget<QAction>(FormId::FrmMain, ctl::mnuHelpContents);
        ASSERT_NE(item, nullptr);
        item->trigger();
        Settle();
    }
    bool OnPrimaryScreen() {
        QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        return screen.intersects(QRect(Main()->pos(), Main()->size())) && Main()->width() > 0 &&
               Main()->height() > 0;
    }

    gearmain::GearMain gear;
    InstalledPlatform platform;
    Application app;
};

class ShellFaults : public ::testing::Test {
protected:
    void SetUp() override {
        TheApplication();
        ASSERT_TRUE(dir.isValid());
        settings = dir.filePath("settings");
        program = dir.filePath("bin").toStdString();
        QDir().mkpath(settings);
        QDir().mkpath(dir.filePath("bin/IVOHELP"));
        options = dir.filePath(kOptionsFileName).toStdString();
    }

    QString Conf() const { return settings + "/Involvo.conf"; }
    QString Help() const { return QString::fromStdString(program) + "/IVOHELP/IVOevalHelp.HLP"; }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        f.write(bytes);
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray Garbage(int size, unsigned seed) {
        std::mt19937 random(seed);
        QByteArray bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(random() & 0xff);
        return bytes;
    }

    QTemporaryDir dir;
    QString settings;
    std::string program;
    fs::path options;  // the printout options file of the runs
};

// ---- The settings file ----

TEST_F(ShellFaults, GarbageSettingsFileStartsTheProgramOnTheScreen) {
    Write(Conf(), Garbage(8192, 7));
    QtRun run(settings, program, options);
    EXPECT_TRUE(run.Main()->isVisible());
    EXPECT_TRUE(run.OnPrimaryScreen());
    run.ExpectACalculationWorks();
    run.Exit();
    EXPECT_TRUE(run.app.Ended());
}

TEST_F(ShellFaults, GarbageValuesInTheSettingsFileGiveAWindowOnTheScreen) {
    Write(Conf(),
          "[FrmMain_Settings]\nFormLeft=nan\nFormTop=-1e39\nFormWidth=1.#INF\nFormHeight=\"\\x01\\xff\"\n"
          "WasMaximized=True\\0\n[FrmOutput1_Settings]\nFormLeft=" +
              QByteArray(100000, '9') + "\nFormWidth=-inf\n");
    QtRun run(settings, program, options);
    EXPECT_TRUE(run.OnPrimaryScreen()) << run.Main()->x() << "," << run.Main()->y();
    EXPECT_GE(run.Main()->width(), 1440 / QtDesktop::TwipsPerPixel());
    run.ExpectACalculationWorks();
    run.Exit();
    EXPECT_TRUE(run.app.Ended());
}

TEST_F(ShellFaults, SettingsWithOnlyTheLeftEdgeMoveTheWindowSideways) {
    {
        QtRun first(settings, program, options);  // the designed placement, for comparison
        first.Exit();
    }
    const double tpp = QtDesktop::TwipsPerPixel();
    QByteArray left = QByteArray::number(static_cast<int>(std::lround(100 * tpp)));
    QSettings designed(Conf(), QSettings::IniFormat);
    const int designedWidth = static_cast<int>(std::lround(designed.value("FrmMain_Settings/FormWidth").toDouble() / tpp));
    Write(Conf(), "[FrmMain_Settings]\nFormLeft=" + left + "\n");
    QtRun run(settings, program, options);
    EXPECT_EQ(run.Main()->x(), 100);
    EXPECT_EQ(run.Main()->width(), designedWidth);
    EXPECT_FALSE(run.Main()->isMaximized());
    run.ExpectACalculationWorks();
}

TEST_F(ShellFaults, SettingsFolderThatCannotExistStartsWorksAndEndsQuietly) {
    Write(dir.filePath("a-file"), "not a folder");
    const QString impossible = dir.filePath("a-file/settings");
    DialogHand hand;
    QtRun run(impossible, program, options);
    EXPECT_TRUE(run.OnPrimaryScreen());
    run.ExpectACalculationWorks();
    run.Main()->move(150, 120);
    run.Exit();
    EXPECT_TRUE(run.app.Ended());
    EXPECT_TRUE(hand.Seen().empty()) << hand.Seen().front().text;
    EXPECT_EQ(Read(dir.filePath("a-file")), "not a folder");
}

TEST_F(ShellFaults, AFolderInPlaceOfTheSettingsFileIsLeftAlone) {
    QDir().mkpath(Conf() + "/inside");
    DialogHand hand;
    QtRun run(settings, program, options);
    EXPECT_TRUE(run.OnPrimaryScreen());
    run.Exit();
    EXPECT_TRUE(run.app.Ended());
    EXPECT_TRUE(hand.Seen().empty());
    EXPECT_TRUE(QFileInfo(Conf() + "/inside").isDir());
}

TEST_F(ShellFaults, APipeInPlaceOfTheSettingsFileDoesNotHoldUpTheProgram) {
    ASSERT_EQ(::mkfifo(Conf().toLocal8Bit().constData(), 0600), 0);
    PipeWatchdog watchdog(Conf().toStdString());
    {
        QtRun run(settings, program, options);
        EXPECT_TRUE(run.Main()->isVisible());
        run.Exit();
        EXPECT_TRUE(run.app.Ended());
    }
    EXPECT_FALSE(watchdog.Stop()) << "the program waited on the pipe";
}

TEST_F(ShellFaults, APipeInPlaceOfThePlatformsOwnSettingsFileIsNotRead) {
    const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toLocal8Bit());
    // Qt fixes the folder of its per-user settings once a process: only where it
    // is still ours to choose does the test mean anything.
    const QString probe = QSettings(QSettings::NativeFormat, QSettings::UserScope, "InvolvoProbe", "InvolvoProbe").fileName();
    if (!probe.startsWith(dir.filePath("config"))) {
        qputenv("XDG_CONFIG_HOME", oldHome);
        GTEST_SKIP() << "the per-user settings folder was fixed earlier in this run: " << probe.toStdString();
    }
    QDir().mkpath(dir.filePath("config/Involvo"));
    const QString conf = dir.filePath("config/Involvo/Involvo.conf");
    ASSERT_EQ(::mkfifo(conf.toLocal8Bit().constData(), 0600), 0);
    PipeWatchdog watchdog(conf.toStdString());
    QtSettings store;
    EXPECT_EQ(store.GetSetting("Involvo", "FrmMain_Settings", "FormLeft"), std::nullopt);
    EXPECT_FALSE(store.SaveSetting("Involvo", "FrmMain_Settings", "FormLeft", "1200"));
    EXPECT_FALSE(watchdog.Stop()) << "the store waited on the pipe";
    EXPECT_TRUE(QFileInfo(conf).exists() && !QFileInfo(conf).isFile()) << "the pipe is left alone";
    qputenv("XDG_CONFIG_HOME", oldHome);
}

TEST_F(ShellFaults, AFullDiskAtExitKeepsThePlacementSavedBefore) {
    {
        QtRun first(settings, program, options);
        first.Main()->move(123, 77);
        first.Exit();
    }
    const QByteArray saved = Read(Conf());
    ASSERT_FALSE(saved.isEmpty());
    {
        QtRun second(settings, program, options);
        ASSERT_EQ(second.Main()->pos(), QPoint(123, 77));
        second.Main()->move(300, 200);
        FailingDisk full(0);
        second.Exit();
        EXPECT_TRUE(second.app.Ended()) << "the program ends all the same";
    }
    EXPECT_EQ(Read(Conf()), saved) << "the settings file is as the last good save left it";
    QStringList left = QDir(settings).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList{"Involvo.conf"}) << "no temporary file is left";
    // The next run is another process: Qt keeps the change that could not be
    // written for the rest of this one, so the next run reads a copy of the file.
    const QString next = dir.filePath("next-run");
    QDir().mkpath(next);
    ASSERT_TRUE(QFile::copy(Conf(), next + "/Involvo.conf"));
    QtRun third(next, program, options);
    EXPECT_EQ(third.Main()->pos(), QPoint(123, 77));
}

// ---- The help file ----

class HelpFaults : public ShellFaults {
protected:
    // The Help menu's Contents; the one message box it showed.
    SeenDialog HelpMessage(QtRun& run) {
        DialogHand hand;
        run.HelpContents();
        EXPECT_EQ(hand.Seen().size(), 1u);
        if (hand.Seen().empty()) return {};
        const SeenDialog& seen = hand.Seen().front();
        EXPECT_EQ(seen.title, "Involvo");
        EXPECT_EQ(seen.icon, QMessageBox::Critical);
        EXPECT_FALSE(seen.hasCancel);
        EXPECT_EQ(seen.window, "FrmMain");
        EXPECT_EQ(run.platform.installed().HelpWindow(), nullptr) << "no help window comes up";
        return seen;
    }
    // The message as shown: the file looked for, then what is wrong with it.
    std::string Told(const std::string& description) {
        return "The help file " + Help().toStdString() + " cannot be shown:\n" + description;
    }
};

TEST_F(HelpFaults, AMissingHelpFileIsToldByNameWithTheSystemsWordsAndTheProgramGoesOn) {
    QtRun run(settings, program, options);
    SeenDialog seen = HelpMessage(run);
    QFile probe(Help());
    probe.open(QIODevice::ReadOnly);
    EXPECT_EQ(seen.text, Told(probe.errorString().toStdString()));
    run.ExpectACalculationWorks();
}

TEST_F(HelpFaults, AFolderInPlaceOfTheHelpFileIsTold) {
    QDir().mkpath(Help());
    QtRun run(settings, program, options);
    EXPECT_EQ(HelpMessage(run).text, Told("It is a folder, not a help file."));
    run.ExpectACalculationWorks();
}

TEST_F(HelpFaults, APipeInPlaceOfTheHelpFileIsToldAtOnce) {
    ASSERT_EQ(::mkfifo(Help().toLocal8Bit().constData(), 0600), 0);
    QtRun run(settings, program, options);
    PipeWatchdog watchdog(Help().toStdString());
    SeenDialog seen = HelpMessage(run);
    EXPECT_FALSE(watchdog.Stop()) << "the help command waited on the pipe";
    EXPECT_EQ(seen.text, Told("It is not a file but a device or a pipe."));
    run.ExpectACalculationWorks();
}

TEST_F(HelpFaults, AnEndlessDeviceInPlaceOfTheHelpFileIsNotRead) {
    ASSERT_TRUE(QFile::link("/dev/zero", Help()));
    QtRun run(settings, program, options);
    EXPECT_EQ(HelpMessage(run).text, Told("It is not a file but a device or a pipe."));
    run.ExpectACalculationWorks();
}

TEST_F(HelpFaults, AHelpFileFarTooLargeIsTold) {
    Write(Help(), "");
    fs::resize_file(Help().toStdString(), 40u << 20);  // sparse: no disk is used
    QtRun run(settings, program, options);
    EXPECT_EQ(HelpMessage(run).text, Told("It is too large for a help file."));
}

TEST_F(HelpFaults, AGarbageHelpFileIsShownWithoutHarm) {
    Write(Help(), Garbage(20000, 3));
    QtRun run(settings, program, options);
    DialogHand hand;
    run.HelpContents();
    EXPECT_TRUE(hand.Seen().empty());
    ASSERT_NE(run.platform.installed().HelpWindow(), nullptr);
    EXPECT_TRUE(run.platform.installed().HelpWindow()->isVisible());
    run.ExpectACalculationWorks();
}

TEST_F(HelpFaults, TheHelpFileAddedWhileTheProgramRunsIsShownOnTheNextContents) {
    QtRun run(settings, program, options);
    HelpMessage(run);
    Write(Help(), "<html><body><h1>Involvo Help</h1><h2>Contents</h2></body></html>");
    DialogHand hand;
    run.HelpContents();
    EXPECT_TRUE(hand.Seen().empty());
    ASSERT_NE(run.platform.installed().HelpText(), nullptr);
    EXPECT_TRUE(run.platform.installed().HelpText()->toPlainText().startsWith("Involvo Help"));
}

}  // namespace
}  // namespace involvo::qtshell
