// A long session on the Qt windows: calculation after calculation of different
// gears, every page opened and closed, now and then the printout options opened
// and cancelled. Every window that goes must be destroyed, no page may show nan
// or inf, and the memory must stay flat.
//
// The normal suite runs a short session; INVOLVO_SOAK=<count> runs a longer
// one (scripts/leak_check.sh runs 1000 under the sanitizers and without).
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QIcon>
#include <QLabel>
#include <QThread>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>

#include "printing/printout_options.h"
#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

constexpr int kDefaultCalculations = 20;
// Below this many calculations the caches of Qt (glyphs, styles, pixmaps) are
// still filling, and the memory figures say nothing.
constexpr int kCalculationsForMemoryBound = 200;
constexpr long kLargestGrowthKb = 2048;
// The heap itself, without the pages the allocator keeps: a window or a
// record left behind each calculation shows here first.
constexpr long kLargestHeapGrowthBytes = 256 * 1024;

int Calculations() {
    const char* text = std::getenv("INVOLVO_SOAK");
    if (!text || !*text) return kDefaultCalculations;
    long n = std::strtol(text, nullptr, 10);
    if (n < 1) return kDefaultCalculations;
    return n > 100000 ? 100000 : static_cast<int>(n);
}

// Resident memory of the process, from the second field of /proc/self/statm.
long ResidentKb() {
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return -1;
    long size = 0, resident = 0;
    int read = std::fscanf(f, "%ld %ld", &size, &resident);
    std::fclose(f);
    if (read != 2) return -1;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Bytes the program holds on the heap now; -1 where the C library does not
// tell (and under the address sanitizer, which keeps its own heap).
long HeapBytes() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    if (kUnderAddressSanitizer) return -1;
    return static_cast<long>(mallinfo2().uordblks);
#else
    return -1;
#endif
}

// The options file of the session in a folder of its own, made before the
// program starts and removed after.
class SessionOptionsFile {
protected:
    SessionOptionsFile() {
        dir_ = fs::temp_directory_path() / ("involvo-soak-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    ~SessionOptionsFile() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path OptionsFile() const { return dir_ / kOptionsFileName; }

private:
    fs::path dir_;
};

struct Gear {
    int teeth;
    const char* pitch;
    const char* pressureAngle;
    const char* helix;
    int quality;  // 0: none, no tolerance page
};

std::string Describe(const Gear& g) {
    std::ostringstream os;
    os << g.teeth << " teeth, DP " << g.pitch << ", PA " << g.pressureAngle << ", helix " << g.helix << ", Q "
       << g.quality;
    return os.str();
}

// The i-th gear of the session: the same sequence every run.
Gear GearNumber(int i) {
    static const char* const pitches[] = {"4", "6", "8", "10", "12", "16", "20", "24", "32", "48"};
    static const char* const angles[] = {"14.5", "20", "25"};
    static const char* const helices[] = {"0", "0", "15", "22.5", "30"};
    static const int qualities[] = {0, 6, 8, 10, 12};
    std::minstd_rand random(static_cast<unsigned>(i) + 1);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Gear g;
    g.teeth = 18 + pick(130);
    g.pitch = pitches[pick(10)];
    g.pressureAngle = angles[pick(3)];
    g.helix = helices[pick(5)];
    g.quality = qualities[pick(5)];
    return g;
}

class Soak : private SessionOptionsFile, public QtProgram {
protected:
    Soak() : QtProgram(OptionsFile()) {}

    // Runs the events, the zero-time burial of unloaded windows included, until
    // the condition holds; false after five seconds.
    template <class F>
    static bool Until(F condition) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (condition()) return true;
            if (clock.elapsed() > 5000) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::usleep(500);
        }
    }
    bool OnScreen(FormId id) { return app_.IsLoaded(id) && Window(id) && Window(id)->isVisible(); }
    bool AnyResultPage() {
        for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                          FormId::AGMATOL})
            if (app_.IsLoaded(id)) return true;
        return false;
    }
    // How the user fills a field: types and leaves with Tab, types and presses
    // Enter out of habit, or pastes a cell copied from a spreadsheet (with its
    // line end) and leaves with Tab.
    enum class Way { Tab, Enter, Paste };
    void Type(Control field, const QString& keys, Way way = Way::Tab) {
        QWidget* target = Main(field);
        ASSERT_NE(target, nullptr) << field;
        const bool list = qobject_cast<QComboBox*>(target) != nullptr;
        if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit()) target = combo->lineEdit();
        QTest::mouseClick(target, Qt::LeftButton);
        if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
        if (way == Way::Paste && !list) {
            QGuiApplication::clipboard()->setText(keys + "\r\n");
            QTest::keySequence(target, QKeySequence::Paste);
        } else {
            QTest::keyClicks(target, keys);
        }
        QTest::keyClick(target, way == Way::Enter && !list ? Qt::Key_Return : Qt::Key_Tab);
    }
    void Press(FormId id, Control button) {
        auto* b = Widget<QPushButton>(id, button);
        ASSERT_NE(b, nullptr) << FormName(id) << "." << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // No value of a page reads nan or inf.
    void ExpectPlainNumbers(FormId id, const Gear& g) {
        QtView* view = View(id);
        ASSERT_NE(view, nullptr);
        for (int row = 1; row <= 18; ++row) {
            auto* text = qobject_cast<QLineEdit*>(view->ObjectOf(ctl::Text(row)));
            if (!text) continue;
            QString value = text->text().toLower();
            EXPECT_FALSE(value.contains("nan") || value.contains("inf"))
                << FormName(id) << " Text(" << row << ") = " << value.toStdString() << " for " << Describe(g);
        }
    }

    // One calculation: the gear typed in, Calculate, Next to page 2, Next to the
    // tolerances and Back when there are tolerances, Close, and the input
    // screen clicked so that the pages close.
    void Calculation(int i) {
        DialogHand hand;  // odd helical gears bring their advice: OK to every box
        const Gear g = GearNumber(i);
        SCOPED_TRACE("calculation " + std::to_string(i) + ": " + Describe(g));
        const bool helical = std::string(g.helix) != "0";
        const FormId page1 = helical ? FormId::FrmHelical1 : FormId::FrmOutput1;
        const FormId page2 = helical ? FormId::FRMHelical2 : FormId::FrmOutput2;

        const Way way = i % 3 == 0 ? Way::Tab : i % 3 == 1 ? Way::Enter : Way::Paste;
        Type(ctl::InputNT, QString::number(g.teeth), way);
        Type(ctl::InputDP, g.pitch, way);
        Type(ctl::InputPA, g.pressureAngle, way);
        Type(ctl::InputHA, g.helix, way);
        Type(ctl::ComboQuality, g.quality ? QString::number(g.quality) : QString("\b\b"));
        if (i % 2 == 0) {
            Press(FormId::FrmMain, ctl::CmdCalc);
        } else {  // Enter on the Calculate button
            View(FormId::FrmMain)->SetFocus(ctl::CmdCalc);
            QTest::keyClick(Main<QPushButton>(ctl::CmdCalc), Qt::Key_Return);
        }
        ASSERT_TRUE(Until([&] { return OnScreen(page1); }));
        ExpectPlainNumbers(page1, g);
        auto* teeth = Widget<QLineEdit>(page1, ctl::Text(1));
        ASSERT_NE(teeth, nullptr);
        EXPECT_EQ(teeth->text(), QString::number(g.teeth)) << "the page shows the gear typed in";

        Press(page1, ctl::Next1);
        ASSERT_TRUE(Until([&] { return OnScreen(page2); }));
        ExpectPlainNumbers(page2, g);
        if (g.quality) {
            Press(page2, ctl::Next);
            ASSERT_TRUE(Until([&] { return OnScreen(FormId::AGMATOL); }));
            ExpectPlainNumbers(FormId::AGMATOL, g);
            Press(FormId::AGMATOL, ctl::Back);
            ASSERT_TRUE(Until([&] { return OnScreen(page2) && !app_.IsLoaded(FormId::AGMATOL); }));
        }
        Press(page2, ctl::CmdOK);
        ASSERT_TRUE(Until([&] { return !app_.IsLoaded(page2); }));

        Window(FormId::FrmMain)->activateWindow();  // the user clicks on the input screen
        ASSERT_TRUE(Until([&] { return !AnyResultPage(); }));

        if (i % 10 == 0) {
            auto* item = qobject_cast<QAction*>(View(FormId::FrmMain)->ObjectOf(ctl::MnuCheckbox1));
            ASSERT_NE(item, nullptr);
            item->trigger();
            ASSERT_TRUE(Until([&] { return OnScreen(FormId::FrmChecklist1); }));
            Press(FormId::FrmChecklist1, ctl::CmdCustom1Cancel);
            ASSERT_TRUE(Until([&] { return !app_.IsLoaded(FormId::FrmChecklist1); }));
            Window(FormId::FrmMain)->activateWindow();
        }
        for (const SeenDialog& seen : hand.Seen()) EXPECT_EQ(seen.title, "Involvo") << seen.text;
    }

    // The windows now standing, destroyed ones gone.
    static int TopLevelWindows() { return static_cast<int>(QApplication::topLevelWidgets().size()); }
    static std::string WindowList() {
        std::string list;
        for (QWidget* w : QApplication::topLevelWidgets())
            list += std::string(" ") + w->metaObject()->className() + ":" + w->objectName().toStdString() +
                    (w->isVisible() ? "(shown)" : "");
        return list;
    }
    // Lets the events run a while, so that everything unloaded is destroyed.
    static void Drain() {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 100) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QThread::usleep(500);
        }
    }
};

TEST_F(Soak, ALongSessionDestroysEveryWindowItClosesAndKeepsItsMemoryFlat) {
    const int count = Calculations();
    const int checkpoint = count >= 10 ? count / 10 : 1;

    // The first calculation opens every kind of window once; after it, what
    // stands is the input screen and what it keeps.
    Calculation(0);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(Until([&] { return !AnyResultPage(); }));
    Drain();
    const int windows = TopLevelWindows();
    const std::string standing = WindowList();
    const long startKb = ResidentKb();
    long checkpointKb = startKb;
    long checkpointHeap = HeapBytes();

    for (int i = 1; i < count; ++i) {
        Calculation(i);
        ASSERT_FALSE(HasFatalFailure()) << "stopped at calculation " << i;
        // Unloaded windows are destroyed once the events have run.
        ASSERT_TRUE(Until([&] { return TopLevelWindows() == windows; }))
            << "calculation " << i << " leaves" << WindowList() << "; after the first:" << standing;
        if (i + 1 == checkpoint) {
            checkpointKb = ResidentKb();
            checkpointHeap = HeapBytes();
        }
    }
    const long endKb = ResidentKb();
    const long endHeap = HeapBytes();

    std::string heap = "heap in use not known here";
    if (checkpointHeap >= 0 && endHeap >= 0)
        heap = "heap in use " + std::to_string(checkpointHeap) + " bytes after " + std::to_string(checkpoint) + ", " +
               std::to_string(endHeap) + " bytes after " + std::to_string(count);
    std::printf("soak: %d calculations; resident memory %ld kB after the first, %ld kB after %d, %ld kB after %d "
                "(growth %ld kB); %s\n",
                count, startKb, checkpointKb, checkpoint, endKb, count, endKb - checkpointKb, heap.c_str());
    RecordProperty("calculations", count);
    RecordProperty("rss_kb_first", static_cast<int>(startKb));
    RecordProperty("rss_kb_checkpoint", static_cast<int>(checkpointKb));
    RecordProperty("rss_kb_end", static_cast<int>(endKb));
    EXPECT_TRUE(app_.IsLoaded(FormId::FrmMain));
    EXPECT_FALSE(app_.Ended());

    // The address sanitizer keeps freed memory in quarantine, so its figures
    // grow without a leak; it finds leaks itself at the end of the run.
    if (count >= kCalculationsForMemoryBound && !kUnderAddressSanitizer && startKb > 0) {
        EXPECT_LT(endKb - checkpointKb, kLargestGrowthKb)
            << "resident memory grew from " << checkpointKb << " kB after " << checkpoint << " calculations to "
            << endKb << " kB after " << count;
        if (checkpointHeap >= 0 && endHeap >= 0) {
            EXPECT_LT(endHeap - checkpointHeap, kLargestHeapGrowthBytes)
                << "the heap grew from " << checkpointHeap << " bytes after " << checkpoint << " calculations to "
                << endHeap << " after " << count;
        }
    }
}

// ---- What a long session must not pile up ----

using LongSession = Soak;

TEST_F(LongSession, LeavingAFieldEndsItsUndoAndKeepsItsText) {
    auto* teeth = Main<QLineEdit>(ctl::InputNT);
    QTest::mouseClick(teeth, Qt::LeftButton);
    QTest::keyClicks(teeth, "24");
    EXPECT_TRUE(teeth->isUndoAvailable()) << "while the user is in the field, the typing can be undone";
    QTest::keyClick(teeth, Qt::Key_Tab);
    EXPECT_EQ(teeth->text(), "24");
    EXPECT_FALSE(teeth->isUndoAvailable());
    EXPECT_EQ(gear_.NumTeeth, 24.0f);

    // The quality list's own field too.
    auto* quality = Main<QComboBox>(ctl::ComboQuality);
    QTest::mouseClick(quality->lineEdit(), Qt::LeftButton);
    quality->lineEdit()->selectAll();
    QTest::keyClicks(quality->lineEdit(), "8");
    QTest::mouseClick(Main<QLineEdit>(ctl::InputDP), Qt::LeftButton);
    EXPECT_EQ(quality->currentText(), "8");
    EXPECT_FALSE(quality->lineEdit()->isUndoAvailable());
}

TEST_F(LongSession, AMenuTakingTheFocusKeepsTheUndo) {
    auto* teeth = Main<QLineEdit>(ctl::InputNT);
    QTest::mouseClick(teeth, Qt::LeftButton);
    QTest::keyClicks(teeth, "24");
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(teeth, &out);
    EXPECT_TRUE(teeth->isUndoAvailable());
}

TEST_F(LongSession, EveryPagesPrintButtonSharesOneIcon) {
    Calculation(1);
    ASSERT_FALSE(HasFatalFailure());
    Type(ctl::InputNT, "24");
    Type(ctl::InputDP, "10");
    Type(ctl::InputHA, "0");
    Press(FormId::FrmMain, ctl::CmdCalc);
    ASSERT_TRUE(Until([&] { return OnScreen(FormId::FrmOutput1); }));
    auto* first = Widget<QPushButton>(FormId::FrmOutput1, ctl::CmdPrint);
    ASSERT_NE(first, nullptr);
    const qint64 key = first->icon().cacheKey();
    Press(FormId::FrmOutput1, ctl::Next1);
    ASSERT_TRUE(Until([&] { return OnScreen(FormId::FrmOutput2); }));
    auto* second = Widget<QPushButton>(FormId::FrmOutput2, ctl::CmdPrint);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->icon().cacheKey(), key);
}

}  // namespace
}  // namespace involvo::testing
