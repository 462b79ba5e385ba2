// A long session on the Qt windows: calculation after calculation of different
// gears, every page opened and closed, now and then the printout options opened
// and cancelled. Every window that goes must be destroyed, no page may show nan
// or inf, and the memory must stay flat.
//
// The normal suite runs a short session; INVOLVO_SOAK=<count> runs a longer
// one (scripts/leak_check.sh runs 1000 under the sanitizers and without).
#include <QAction>
#include <QThread>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kUnderAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// Resident memory in kB, from /proc/self/statm.
long ResidentKb() {
    long size = 0, resident = -1;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &size, &resident) != 2) resident = -1;
        std::fclose(f);
    }
    return resident < 0 ? -1 : resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Bytes held on the heap; -1 where the C library does not tell, and under the
// address sanitizer, which keeps its own heap.
long HeapBytes() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    return kUnderAddressSanitizer ? -1 : static_cast<long>(mallinfo2().uordblks);
#else
    return -1;
#endif
}

class Soak : public QtProgram {
protected:
    // Runs the events, the burial of unloaded windows included, until the
    // condition holds; false after five seconds.
    template <class F>
    static bool Until(F condition) {
        for (int i = 0; i < 5000; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (condition()) return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            QThread::usleep(500);
        }
        return false;
    }
    bool NoResultPage() {
        for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2, FormId::AGMATOL})
            if (app_.IsLoaded(id)) return false;
        return true;
    }
    void ExpectPlainNumbers(FormId id) {
        for (int row = 1; row <= 18; ++row)
            if (auto* text = Widget<QLineEdit>(id, ctl::Text(row))) {
                EXPECT_FALSE(text->text().contains("nan", Qt::CaseInsensitive) || text->text().contains("inf", Qt::CaseInsensitive))
                    << FormName(id) << " Text(" << row << ") = " << text->text().toStdString();
            }
    }
    // One calculation of the i-th gear (the same sequence every run): typed in,
    // Calculate, Next, the tolerances and Back when there are any, Close, and
    // the input screen clicked so that the pages close.
    void Calculation(int i) {
        static const char* const pitches[] = {"4", "6", "8", "10", "12", "16", "20", "24", "32", "48"};
        static const char* const angles[] = {"14.5", "20", "25"};
        static const char* const helices[] = {"0", "0", "15", "22.5", "30"};
        static const char* const qualities[] = {"\b\b", "6", "8", "10", "12"};
        std::minstd_rand random(static_cast<unsigned>(i) + 1);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        const int teeth = 18 + pick(130), pitch = pick(10), angle = pick(3), helix = pick(5), quality = pick(5);
        SCOPED_TRACE("calculation " + std::to_string(i) + ": " + std::to_string(teeth) + " teeth, DP " + pitches[pitch] +
                     ", PA " + angles[angle] + ", helix " + helices[helix] + ", Q " + qualities[quality]);
        DialogHand hand;  // odd helical gears bring their advice: OK to every box
        const FormId page1 = helix > 1 ? FormId::FrmHelical1 : FormId::FrmOutput1;
        const FormId page2 = helix > 1 ? FormId::FRMHelical2 : FormId::FrmOutput2;
        Enter(ctl::InputNT, QString::number(teeth));
        Enter(ctl::InputDP, pitches[pitch]);
        Enter(ctl::InputPA, angles[angle]);
        Enter(ctl::InputHA, helices[helix]);
        Enter(ctl::ComboQuality, qualities[quality]);
        Click(FormId::FrmMain, ctl::CmdCalc);
        ASSERT_TRUE(Until([&] { return OnScreen(page1); }));
        ExpectPlainNumbers(page1);
        Click(page1, ctl::Next1);
        ASSERT_TRUE(Until([&] { return OnScreen(page2); }));
        ExpectPlainNumbers(page2);
        if (quality > 0) {
            Click(page2, ctl::Next);
            ASSERT_TRUE(Until([&] { return OnScreen(FormId::AGMATOL); }));
            ExpectPlainNumbers(FormId::AGMATOL);
            Click(FormId::AGMATOL, ctl::Back);
            ASSERT_TRUE(Until([&] { return OnScreen(page2) && !app_.IsLoaded(FormId::AGMATOL); }));
        }
        Click(page2, ctl::CmdOK);
        ASSERT_TRUE(Until([&] { return !app_.IsLoaded(page2); }));
        Window(FormId::FrmMain)->activateWindow();
        ASSERT_TRUE(Until([&] { return NoResultPage(); }));
        if (i % 10 == 0) {
            Main<QAction>(ctl::MnuCheckbox1)->trigger();
            ASSERT_TRUE(Until([&] { return OnScreen(FormId::FrmChecklist1); }));
            Click(FormId::FrmChecklist1, ctl::CmdCustom1Cancel);
            ASSERT_TRUE(Until([&] { return !app_.IsLoaded(FormId::FrmChecklist1); }));
            Window(FormId::FrmMain)->activateWindow();
        }
    }
    static int Windows() { return static_cast<int>(QApplication::topLevelWidgets().size()); }
};

TEST_F(Soak, ALongSessionDestroysEveryWindowItClosesAndKeepsItsMemoryFlat) {
    const char* asked = std::getenv("INVOLVO_SOAK");
    const int count = asked && std::atoi(asked) > 0 ? std::min(std::atoi(asked), 100000) : 6;
    const int checkpoint = std::max(count / 10, 1);
    // The first calculation opens every kind of window once; what stands after
    // it is the input screen and what it keeps.
    Calculation(0);
    ASSERT_FALSE(HasFatalFailure());
    Settle(100);
    const int windows = Windows();
    long checkpointKb = ResidentKb(), checkpointHeap = HeapBytes();
    for (int i = 1; i < count; ++i) {
        Calculation(i);
        ASSERT_FALSE(HasFatalFailure()) << "stopped at calculation " << i;
        ASSERT_TRUE(Until([&] { return Windows() == windows; })) << "calculation " << i << " leaves a window standing";
        if (i + 1 == checkpoint) checkpointKb = ResidentKb(), checkpointHeap = HeapBytes();
    }
    const long endKb = ResidentKb(), endHeap = HeapBytes();
    std::printf("soak: %d calculations; resident memory %ld kB after %d, %ld kB after %d (growth %ld kB); "
                "heap in use %ld bytes after %d, %ld after %d\n",
                count, checkpointKb, checkpoint, endKb, count, endKb - checkpointKb, checkpointHeap, checkpoint,
                endHeap, count);
    EXPECT_FALSE(app_.Ended());
    // Below 200 calculations the caches of Qt (glyphs, styles) still fill; the
    // address sanitizer's quarantine grows without a leak and finds leaks itself.
    if (count >= 200 && !kUnderAddressSanitizer && checkpointKb > 0) {
        EXPECT_LT(endKb - checkpointKb, 2048) << "resident memory in kB";
        if (checkpointHeap >= 0 && endHeap >= 0) {
            EXPECT_LT(endHeap - checkpointHeap, 256 * 1024) << "heap bytes";
        }
    }
}

}  // namespace
}  // namespace involvo::testing
