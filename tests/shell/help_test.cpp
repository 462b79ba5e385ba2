// Help contents, the about box and System Info, driven from the input screen's
// Help menu as the user does.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/gearmain.h"
#include "shell/about_box.h"
#include "shell/application.h"
#include "shell/help.h"
#include "tests/shell/shell_fakes.h"

namespace involvo::testing {
namespace {

const std::string kHelpFile = "/opt/involvo/bin/IVOHELP/IVOevalHelp.HLP";

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override { app.StartUpWithoutSplash(); }
    HeadlessView& Main() { return *platform.ViewOf(FormId::FrmMain); }
    HeadlessView& About() { return *platform.ViewOf(FormId::frmAbout); }
    void OpenAbout() {
        Main().Click(ctl::mnuHelpAbout);
        ASSERT_NE(platform.ViewOf(FormId::frmAbout), nullptr);
        platform.ClearRecords();
    }

    FakeSettings settings;
    FakeDesktop desktop;
    gearmain::GearMain gear;
    ShellPlatform platform{settings, desktop};
    Application app{gear, platform};
};

TEST_F(HelpTest, HelpFileIsTheProgramFolderWithIvohelpAndIvoevalHelpHlp) {
    EXPECT_EQ(HelpFilePath(desktop), kHelpFile);
}

TEST_F(HelpTest, LoadingTheInputScreenMakesItTheApplicationsHelpFile) {
    EXPECT_EQ(desktop.helpFile, kHelpFile);
}

TEST_F(HelpTest, HelpMenuCommandsAreOffered) {
    EXPECT_TRUE(Main().Enabled(ctl::mnuHelpContents));
    EXPECT_TRUE(Main().Enabled(ctl::mnuHelpAbout));
    EXPECT_EQ(Main().Text(ctl::mnuHelpContents), "&Contents");
    EXPECT_EQ(Main().Text(ctl::mnuHelpAbout), "&About Involvo...");
}

TEST_F(HelpTest, ContentsShowsTheHelpFileForTheInputScreen) {
    desktop.files.insert(kHelpFile);
    desktop.helpFile.clear();
    Main().Click(ctl::mnuHelpContents);
    ASSERT_EQ(desktop.helpShown.size(), 1u);
    EXPECT_EQ(desktop.helpShown[0], kHelpFile);
    EXPECT_EQ(desktop.helpOwner, FormId::FrmMain);
    EXPECT_EQ(desktop.helpFile, kHelpFile) << "the contents command sets the help file again";
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(HelpTest, MissingHelpFileNamesTheFileLookedForWithThePlatformsDescriptionAndOKOnly) {
    Main().Click(ctl::mnuHelpContents);
    EXPECT_TRUE(desktop.helpShown.empty());
    ASSERT_EQ(platform.Messages().size(), 1u);
    const ShownMessage& m = platform.Messages()[0];
    EXPECT_EQ(m.text, std::string("The help file ") + kHelpFile + " cannot be shown:\rNo such file or directory");
    EXPECT_EQ(m.title, "Involvo");
    EXPECT_EQ(m.buttons, MsgButtons::OK);
    EXPECT_EQ(m.form, FormId::FrmMain);
}

TEST_F(HelpTest, ContentsWithoutAnyHelpViewerSaysSo) {
    gearmain::GearMain otherGear;
    HeadlessPlatform bare;
    Application other(otherGear, bare);
    other.StartUpWithoutSplash();
    bare.ViewOf(FormId::FrmMain)->Click(ctl::mnuHelpContents);
    ASSERT_EQ(bare.Messages().size(), 1u);
    EXPECT_EQ(bare.Messages()[0].text, "No help viewer is available.");
    EXPECT_EQ(bare.Messages()[0].buttons, MsgButtons::OK);
}

// ---- The about box ----

TEST_F(HelpTest, AboutOpensTheAboutBoxWithItsTexts) {
    OpenAbout();
    EXPECT_TRUE(About().IsShown());
    EXPECT_EQ(About().Text(ctl::Window), "About Involvo");
    EXPECT_EQ(About().Text(ctl::lblTitle), AboutTitle());
    EXPECT_EQ(About().Text(ctl::lblVersion), "");
    EXPECT_EQ(About().Text(ctl::lblDescription), "");
    EXPECT_EQ(About().Text(ctl::cmdOK), "OK");
    EXPECT_EQ(About().Text(ctl::cmdSysInfo), "&System Info...");
}

TEST_F(HelpTest, AboutTitleNamesTheProgramForWindowsAndTheVersion) {
    const std::string title = AboutTitle();
    EXPECT_EQ(title.rfind("Involvo", 0), 0u) << title;
    EXPECT_NE(title.find("for Windows"), std::string::npos) << title;
    EXPECT_NE(title.find("1.0.0"), std::string::npos) << "the version of the build: " << title;
}

TEST_F(HelpTest, OkClosesTheAboutBox) {
    OpenAbout();
    About().Press(ctl::cmdOK);
    EXPECT_FALSE(app.IsLoaded(FormId::frmAbout));
    EXPECT_FALSE(app.Ended());
}

// ---- System Info ----

TEST_F(HelpTest, SysInfoStartsTheProgramTheMachineSettingsName) {
    desktop.machine[{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"}] = "/usr/local/bin/sysinfo";
    desktop.machine[{"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"}] = "/opt/tools";
    desktop.files.insert("/opt/tools/MSINFO32.EXE");
    desktop.onPath["kinfocenter"] = "/usr/bin/kinfocenter";
    OpenAbout();
    About().Press(ctl::cmdSysInfo);
    EXPECT_EQ(desktop.launched, std::vector<std::string>{"/usr/local/bin/sysinfo"});
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(HelpTest, SysInfoStartsTheProgramInTheFolderTheSettingsName) {
    desktop.machine[{"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"}] = "/opt/tools";
    desktop.files.insert("/opt/tools/MSINFO32.EXE");
    desktop.onPath["kinfocenter"] = "/usr/bin/kinfocenter";
    OpenAbout();
    About().Press(ctl::cmdSysInfo);
    EXPECT_EQ(desktop.launched, std::vector<std::string>{"/opt/tools/MSINFO32.EXE"});
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(HelpTest, SysInfoValueIsCutAtItsFirstNul) {
    desktop.machine[{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"}] =
        std::string("/usr/local/bin/sysinfo\0left over", 32);
    OpenAbout();
    About().Press(ctl::cmdSysInfo);
    EXPECT_EQ(desktop.launched, std::vector<std::string>{"/usr/local/bin/sysinfo"});
}

TEST_F(HelpTest, SysInfoValueTooLongForTheBufferCountsAsNotFound) {
    desktop.machine[{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"}] = std::string(1024, 'x');
    desktop.onPath["hardinfo"] = "/usr/bin/hardinfo";
    OpenAbout();
    About().Press(ctl::cmdSysInfo);
    EXPECT_EQ(desktop.launched, std::vector<std::string>{"/usr/bin/hardinfo"});
}

TEST_F(HelpTest, SysInfoFallsBackOnTheDesktopsOwnProgram) {
    desktop.machine[{"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"}] = "/opt/gone";
    desktop.onPath["hardinfo"] = "/usr/bin/hardinfo";
    desktop.onPath["lshw-gtk"] = "/usr/bin/lshw-gtk";
    OpenAbout();
    About().Press(ctl::cmdSysInfo);
    EXPECT_EQ(desktop.launched, std::vector<std::string>{"/usr/bin/hardinfo"}) << "the first of the list";
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(HelpTest, SysInfoNotFoundSaysItIsUnavailable) {
    OpenAbout();
    About().Press(ctl::cmdSysInfo);
    EXPECT_TRUE(desktop.launched.empty());
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(platform.Messages()[0].buttons, MsgButtons::OK);
    EXPECT_EQ(platform.Messages()[0].form, FormId::frmAbout);
    EXPECT_TRUE(app.IsLoaded(FormId::frmAbout)) << "the about box stays open";
}

TEST_F(HelpTest, SysInfoThatWillNotStartSaysItIsUnavailable) {
    desktop.machine[{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"}] = "/usr/local/bin/sysinfo";
    desktop.launchWorks = false;
    OpenAbout();
    About().Press(ctl::cmdSysInfo);
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "System Information Is Unavailable At This Time");
}

TEST_F(HelpTest, SysInfoWithoutADesktopSaysItIsUnavailable) {
    gearmain::GearMain otherGear;
    HeadlessPlatform bare;
    Application other(otherGear, bare);
    other.StartUpWithoutSplash();
    other.ShowModal(FormId::frmAbout);
    bare.ViewOf(FormId::frmAbout)->Press(ctl::cmdSysInfo);
    ASSERT_EQ(bare.Messages().size(), 1u);
    EXPECT_EQ(bare.Messages()[0].text, "System Information Is Unavailable At This Time");
}

}  // namespace
}  // namespace involvo::testing
