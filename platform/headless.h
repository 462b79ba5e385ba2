// A platform without a screen: windows are maps of controls, dialogs are
// answered from a script (OK and the default text when nothing is scripted) and
// recorded. The command-line tool runs the program's windows on it, and the tests
// use it as the user's hands: type, leave a field, click, choose a list item.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/view.h"
#include "printing/printer_port.h"

namespace involvo {

struct ShownMessage {
    FormId form = FormId::FrmMain;  // the window that raised it
    std::string text, title;
    MsgIcon icon = MsgIcon::Critical;
    MsgButtons buttons = MsgButtons::OK;
    MsgAnswer answer = MsgAnswer::OK;
};

struct ShownInputBox {
    FormId form = FormId::FrmMain;
    std::string prompt, title, defaultText, answer;
};

class HeadlessPlatform;

class HeadlessView : public View {
public:
    HeadlessView(HeadlessPlatform& platform, FormId id, Presenter& presenter);
    ~HeadlessView() override;

    std::string Text(Control control) const override;
    void SetText(Control control, const std::string& text) override;
    void SetToolTip(Control control, const std::string& tip) override;
    std::string ToolTip(Control control) const override;
    void SetForeground(Control control, Rgb colour) override;
    Rgb Foreground(Control control) const override;
    void SetEnabled(Control control, bool enabled) override;
    bool Enabled(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    bool Visible(Control control) const override;
    void SetChecked(Control control, bool checked) override;
    bool Checked(Control control) const override;
    void SetItems(Control control, const std::vector<std::string>& items) override;
    std::vector<std::string> Items(Control control) const override;
    void SetFocus(Control control) override;
    std::optional<Control> Focused() const override { return focus_; }
    void SelectAll(Control control) override;
    void SetTabOrder(const std::vector<Control>& controls) override { tabOrder_ = controls; }
    void FocusNext(bool backwards) override;
    MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void Show() override { shown_ = true; }
    void Hide() override { shown_ = false; }
    bool IsShown() const override { return shown_; }

    FormId id() const { return id_; }
    Presenter& presenter() { return presenter_; }
    // Every control that has been touched, in the order of the list of names.
    std::vector<Control> Controls() const;
    bool Selected(Control control) const;

    // ---- The user's hands ----
    // Keys typed into a control, one by one through its key filter (a paste goes
    // the same way); the control gets the focus first. Backspace is "\b".
    void Type(Control control, const std::string& keys);
    // Focus moves on to the next control in tab order (Tab).
    void Leave();
    // Focus moves to a control (a mouse click into it).
    void FocusTo(Control control);
    // A click on a button or option button: the focus moves to it first.
    void Press(Control control);
    // A click that does not move the focus: a label, a menu item.
    void Click(Control control);
    // An item chosen from a drop-down list.
    void Choose(Control control, const std::string& item);
    void KeyDown(int code);
    void MouseOver(Control control);
    // The user makes this window the active one (clicks on it).
    void Activate();
    // The user makes another window the active one.
    void Deactivate();
    // A click on a check box: its tick changes, then the click handler runs.
    void Tick(Control control);


private:
    struct State {
        std::string text, tip;
        Rgb fg;
        bool enabled = true, visible = true, checked = false, selected = false;
        std::vector<std::string> items;
    };
    // A control of this form; any other is a fault of the program (logic_error).
    State& At(Control control);
    const State* Find(Control control) const;

    HeadlessPlatform& platform_;
    FormId id_;
    Presenter& presenter_;
    std::map<Control, State> controls_;
    std::vector<Control> tabOrder_;
    std::optional<Control> focus_;
    bool shown_ = false;
};

// A printer of plain text, one column per character as a fixed-pitch font has
// them; each document is kept as its lines. The print dialog answers from a
// script (OK with a copy count, or Cancel), OK with the count it has otherwise.
class TextPrinter : public PrinterPort {
public:
    bool UseDefaultPrinter() override { return true; }
    bool ShowPrintDialog() override;
    int Copies() const override { return copies_; }
    void SetCopies(int copies) override { copies_ = copies; }
    bool StartDoc() override;
    void SetFontSize(double points) override { fontSize_ = points; }
    void SetBold(bool) override {}
    void SetUnderline(bool) override {}
    void PrintAt(int column, const std::string& text) override;
    void EndLine() override;
    double TextWidth(const std::string& text) const override;
    bool EndDoc() override;

    // The next print dialog: OK with this many copies, or Cancel (nothing).
    void ScriptPrintDialog(std::optional<int> copies) { dialogAnswers_.push_back(copies); }
    // The copy count that each print dialog shown started from.
    const std::vector<int>& DialogsShown() const { return dialogsShown_; }
    // The finished documents, each its lines.
    const std::vector<std::vector<std::string>>& Documents() const { return documents_; }
    double FontSize() const { return fontSize_; }

private:
    std::deque<std::optional<int>> dialogAnswers_;
    std::vector<int> dialogsShown_;
    std::vector<std::vector<std::string>> documents_;
    std::vector<std::string> lines_;
    std::string line_;
    int copies_ = 1;
    double fontSize_ = 0;
};

class HeadlessTools;

class HeadlessPlatform : public Platform {
public:
    HeadlessPlatform();
    ~HeadlessPlatform() override;
    std::unique_ptr<View> CreateView(FormId id, Presenter& presenter) override;
    void StartTimer(int milliseconds, std::function<void()> tick) override;
    void Quit() override { quit_ = true; }

    // Runs the timers that are due: all of them, in order of their time.
    void RunTimers();
    bool QuitRequested() const { return quit_; }

    // Scripted answers, used in order: the answers go to the message boxes with OK
    // and Cancel (a box with OK alone answers OK), and to the input boxes. Without
    // one a message box answers OK and an input box its default text.
    void ScriptMessageAnswer(MsgAnswer answer) { messageAnswers_.push_back(answer); }
    void ScriptInput(std::string answer) { inputAnswers_.push_back(std::move(answer)); }
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    const std::vector<ShownInputBox>& InputBoxes() const { return inputBoxes_; }
    void ClearRecords() {
        messages_.clear();
        inputBoxes_.clear();
    }

    // The live view of a form, when loaded.
    HeadlessView* ViewOf(FormId id) const;

    // The printer: the text printer unless another one is set (nullptr: none).
    PrinterPort* Printer() override { return printer_; }
    void SetPrinter(PrinterPort* printer) { printer_ = printer; }
    TextPrinter& TextOutput() { return textPrinter_; }

    // File dialogs, PDF files and the measuring-aids window (headless_tools.h).
    ToolPort* Tools() override;
    HeadlessTools& ToolOutput() { return *tools_; }

private:
    friend class HeadlessView;
    MsgAnswer Answer(ShownMessage message);
    std::string AnswerInput(ShownInputBox box);
    void Forget(HeadlessView* view);

    std::map<FormId, HeadlessView*> views_;
    std::deque<MsgAnswer> messageAnswers_;
    std::deque<std::string> inputAnswers_;
    std::vector<ShownMessage> messages_;
    std::vector<ShownInputBox> inputBoxes_;
    std::multimap<long, std::function<void()>> timers_;
    long now_ = 0;
    bool quit_ = false;
    TextPrinter textPrinter_;
    PrinterPort* printer_ = &textPrinter_;
    std::unique_ptr<HeadlessTools> tools_;
};

}  // namespace involvo
