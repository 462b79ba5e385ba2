// Help contents, the about box and System Info, driven from the input screen's
// Help menu as the user does.
#include "shell/about_box.h"
#include "shell/help.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

const std::string kHelpFile = "/opt/involvo/bin/IVOHELP/IVOevalHelp.HLP";
const char* const kUnavailable = "System Information Is Unavailable At This Time";

class Help : public ProgramTest {
protected:
    HeadlessView& About() { return *platform().ViewOf(FormId::frmAbout); }
    void PressSysInfo() {
        screen().Click(ctl::mnuHelpAbout);
        About().Press(ctl::cmdSysInfo);
    }
};

TEST_F(Help, TheInputScreenSetsTheHelpFileAndOffersItsCommands) {
    EXPECT_EQ(Text(ctl::mnuHelpContents), "&Contents");
    EXPECT_EQ(Text(ctl::mnuHelpAbout), "&About Involvo...");
    EXPECT_EQ(HelpFilePath(desktop), kHelpFile);
    EXPECT_EQ(desktop.helpFile, kHelpFile);
}

TEST_F(Help, ContentsShowsTheHelpFileOrNamesTheFileItLookedFor) {
    desktop.files = {kHelpFile};
    desktop.helpFile.clear();
    screen().Click(ctl::mnuHelpContents);
    EXPECT_EQ(desktop.helpFile, kHelpFile) << "the contents command sets the help file again";
    EXPECT_EQ(desktop.helpOwner, FormId::FrmMain);
    EXPECT_EQ(desktop.helpShown, std::vector<std::string>{kHelpFile});
    desktop.files.clear();
    screen().Click(ctl::mnuHelpContents);
    ASSERT_EQ(MessageTexts(), std::vector<std::string>{"The help file " + kHelpFile + " cannot be shown:\rNo such file or directory"});
    const ShownMessage& m = platform().Messages()[0];
    EXPECT_TRUE(m.title == "Involvo" && m.icon == MsgIcon::Critical && m.buttons == MsgButtons::OK);
}

// A platform without a desktop or settings has no help viewer and no System Info,
// and starts and ends as any other.
TEST(PlatformWithoutServices, SaysSoAndEndsAsAnyOther) {
    gearmain::GearMain gear;
    HeadlessPlatform bare;
    Application app(gear, bare);
    app.StartUpWithoutSplash();
    bare.ViewOf(FormId::FrmMain)->Click(ctl::mnuHelpContents);
    bare.ViewOf(FormId::FrmMain)->Click(ctl::mnuHelpAbout);
    bare.ViewOf(FormId::frmAbout)->Press(ctl::cmdSysInfo);
    std::vector<std::string> texts;
    for (const auto& m : bare.Messages()) texts.push_back(m.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"No help viewer is available.", kUnavailable}));
    bare.ViewOf(FormId::FrmMain)->Press(ctl::cmdExit);
    bare.RunTimers();
    EXPECT_TRUE(app.Ended());
}

TEST_F(Help, TheAboutBoxShowsItsTextsAndOKClosesIt) {
    screen().Click(ctl::mnuHelpAbout);
    ASSERT_TRUE(About().IsShown());
    EXPECT_EQ(About().Text(ctl::Window), "About Involvo");
    const std::string title = AboutTitle();
    EXPECT_EQ(About().Text(ctl::lblTitle), title);
    EXPECT_EQ(title.rfind("Involvo", 0), 0u) << title;
    EXPECT_NE(title.find("for Windows"), std::string::npos) << title;
    EXPECT_NE(title.find("1.0.0"), std::string::npos) << "the version of the build: " << title;
    EXPECT_EQ(About().Text(ctl::cmdOK), "OK");
    EXPECT_EQ(About().Text(ctl::cmdSysInfo), "&System Info...");
    About().Press(ctl::cmdOK);
    EXPECT_FALSE(app().IsLoaded(FormId::frmAbout));
    EXPECT_FALSE(app().Ended());
}

// System Info starts the program the machine settings name, else the one in the
// folder they name, else the first of the desktop's own; else it says so.
TEST_F(Help, SysInfoStartsTheFirstProgramFoundOrSaysItIsUnavailable) {
    const std::string kTool = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", kFolder = "SOFTWARE\\Microsoft\\Shared Tools Location";
    struct Case {
        const char* what;
        std::map<std::pair<std::string, std::string>, std::string> machine;
        std::vector<std::string> launched;
        bool launchWorks = true;
    };
    const Case cases[] = {
        {"the program named", {{{kTool, "PATH"}, "/usr/local/bin/sysinfo"}, {{kFolder, "MSINFO"}, "/opt/tools"}},
         {"/usr/local/bin/sysinfo"}},
        {"the program in the folder named", {{{kFolder, "MSINFO"}, "/opt/tools"}}, {"/opt/tools/MSINFO32.EXE"}},
        {"a folder without it", {{{kFolder, "MSINFO"}, "/opt/gone"}}, {"/usr/bin/hardinfo"}},
        {"a value cut at its first nul", {{{kTool, "PATH"}, std::string("/usr/local/bin/sysinfo\0left over", 32)}},
         {"/usr/local/bin/sysinfo"}},
        {"a value too long for the buffer", {{{kTool, "PATH"}, std::string(1024, 'x')}}, {"/usr/bin/hardinfo"}},
        {"a value just short enough", {{{kTool, "PATH"}, std::string(1023, 'x')}}, {std::string(1023, 'x')}},
        {"a program that will not start", {{{kTool, "PATH"}, "/usr/local/bin/sysinfo"}}, {"/usr/local/bin/sysinfo"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop = FakeDesktop();
        desktop.machine = c.machine;
        desktop.files = {"/opt/tools/MSINFO32.EXE"};
        desktop.onPath = {{"hardinfo", "/usr/bin/hardinfo"}, {"lshw-gtk", "/usr/bin/lshw-gtk"}};
        desktop.launchWorks = c.launchWorks;
        Restart();
        PressSysInfo();
        EXPECT_EQ(desktop.launched, c.launched);
        EXPECT_EQ(MessageTexts(), c.launchWorks ? std::vector<std::string>{} : std::vector<std::string>{kUnavailable});
    }
    desktop = FakeDesktop();  // nothing anywhere
    Restart();
    PressSysInfo();
    EXPECT_TRUE(desktop.launched.empty());
    ASSERT_EQ(MessageTexts(), std::vector<std::string>{kUnavailable});
    EXPECT_EQ(platform().Messages()[0].form, FormId::frmAbout);
    EXPECT_EQ(platform().Messages()[0].icon, MsgIcon::Information);
    EXPECT_TRUE(app().IsLoaded(FormId::frmAbout)) << "the about box stays open";
}

}  // namespace
}  // namespace involvo::testing
