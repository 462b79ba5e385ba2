// FrmMain: the input screen, the program's main window.
//
// A thin presenter over the screen's core (screen_core.h): it keeps the field
// texts of the window and those of the core in step, runs the core for each
// entry, click and Calculate, and shows what the core leaves: the field texts
// it rewrote, the hint captions and tooltips, the messages (boxes titled
// "Involvo", then the focus on the field they name). Captions, lists, menus and
// colours of the window are its own.
#pragma once

#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "input_screen/entry_texts.h"
#include "input_screen/field_controls.h"
#include "input_screen/part_file.h"
#include "input_screen/part_notes.h"
#include "input_screen/screen_core.h"
#include "platform/view.h"

namespace involvo {

class FrmMain : public Presenter, public PartNotesHolder {
public:
    FrmMain(gearmain::GearMain& gear, Forms& forms);

    // ---- Presenter ----
    void Load() override;
    void Activate() override;
    bool KeyPress(Control control, int key) override;
    bool KeyDown(int keyCode) override;
    void GotFocus(Control control) override;
    void LostFocus(Control control) override;
    void Change(Control control) override;
    void Click(Control control) override;
    void MouseMove(Control control) override;

    // The texts of the fields as the window shows them now.
    const EntryTexts& Texts();

    // The part number and readings of the part on the screen.
    PartNotes& Notes() override { return notes_; }

    // ---- Part files (part_commands.cpp) ----
    // Opens a part file: the screen is filled as if its entries were typed,
    // and its part number and readings become the notes. A file that cannot
    // be opened, or holds no part that fits the screen, is told in a message
    // box and changes nothing. True when the part was opened.
    bool OpenPart(const std::string& path);
    // Saves the screen's part (entries, part number, readings) in a file.
    bool SavePart(const std::string& path);

private:
    // ---- Building the window ----
    void CreateControls();
    void CreateMenus();
    // Hooks for the services that come with the application shell.
    void SetHelpFile();

    // ---- The window and the core in step ----
    // The field texts as the user left them in the window, into the core's texts.
    void Pull();
    // What the core wrote since: the field texts, then the hints.
    void Sync();
    void ShowHints(const HintsRun& run);
    // A message box titled "Involvo", then the focus as the notice says.
    gearmain::MsgAnswer Show(const gearmain::Notice& notice);
    void UpdateHints();

    // ---- Commands ----
    void CopyHint(Control label);
    void Calculate();

    // ---- Modes and gear type ----
    void ModeDimensionOverPins();
    void ModeToothThickness();
    void ModeSpan();
    void SelectGearType(Control button);
    void FeatureChosen();
    void FileMenuOpening();
    void ShowFeatureList();
    void SetModeCaption();
    void CheckModeItems(Control item);

    // ---- Depth systems ----
    void ChooseDepthSystem(int index);
    void CheckDepthItem(int index);

    // ---- Part files (part_commands.cpp) ----
    void SavePartCommand();
    void OpenPartCommand();
    void OpenRecent(int index);
    void ShowRecentParts();
    std::vector<std::string> RecentParts();
    void Remember(const std::string& path);
    void Fill(const Part& part);
    void TypeInto(gearmain::Field field, const std::string& text);
    // Why a part does not fit the screen (a feature its mode does not offer); "" when it fits.
    static std::string Misfit(const Part& part);

    gearmain::GearMain& gear_;
    Forms& forms_;
    HintMemory hintMemory_;
    EntryTexts texts_;
    ScreenCore core_;
    PartNotes notes_;
    std::string lastPart_;  // the part file last opened or saved
};

// The texts of the input screen's fields, as the window shows them now.
const EntryTexts& ScreenTexts(Forms& forms);

}  // namespace involvo
