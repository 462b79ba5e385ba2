#include "platform/headless.h"

#include <algorithm>
#include <stdexcept>

#include "platform/headless_tools.h"

namespace involvo {

HeadlessView::HeadlessView(HeadlessPlatform& platform, FormId id, Presenter& presenter)
    : platform_(platform), id_(id), presenter_(presenter) {}

HeadlessView::~HeadlessView() { platform_.Forget(this); }

namespace {

void RequireOnForm(FormId form, Control control) {
    if (!HasControl(form, control))
        throw std::logic_error(std::string(FormName(form)) + " has no control " + NameOf(control));
}

}  // namespace

HeadlessView::State& HeadlessView::At(Control control) {
    RequireOnForm(id_, control);
    return controls_[control];
}

const HeadlessView::State* HeadlessView::Find(Control control) const {
    RequireOnForm(id_, control);
    auto it = controls_.find(control);
    return it == controls_.end() ? nullptr : &it->second;
}

std::string HeadlessView::Text(Control control) const {
    const State* c = Find(control);
    return c ? c->text : std::string();
}

void HeadlessView::SetText(Control control, const std::string& text) {
    State& c = At(control);
    c.text = text;
    c.selected = false;
}

void HeadlessView::SetToolTip(Control control, const std::string& tip) { At(control).tip = tip; }
std::string HeadlessView::ToolTip(Control control) const {
    const State* c = Find(control);
    return c ? c->tip : std::string();
}
void HeadlessView::SetForeground(Control control, Rgb colour) { At(control).fg = colour; }
Rgb HeadlessView::Foreground(Control control) const {
    const State* c = Find(control);
    return c ? c->fg : Rgb{};
}
void HeadlessView::SetEnabled(Control control, bool enabled) { At(control).enabled = enabled; }
bool HeadlessView::Enabled(Control control) const {
    const State* c = Find(control);
    return c ? c->enabled : true;
}
void HeadlessView::SetVisible(Control control, bool visible) { At(control).visible = visible; }
bool HeadlessView::Visible(Control control) const {
    const State* c = Find(control);
    return c ? c->visible : true;
}
void HeadlessView::SetChecked(Control control, bool checked) { At(control).checked = checked; }
bool HeadlessView::Checked(Control control) const {
    const State* c = Find(control);
    return c ? c->checked : false;
}
void HeadlessView::SetItems(Control control, const std::vector<std::string>& items) {
    At(control).items = items;
}
std::vector<std::string> HeadlessView::Items(Control control) const {
    const State* c = Find(control);
    return c ? c->items : std::vector<std::string>{};
}

void HeadlessView::SetFocus(Control control) {
    RequireOnForm(id_, control);
    if (control == focus_) return;
    std::optional<Control> old = focus_;
    focus_ = control;
    if (old) presenter_.LostFocus(*old);
    // A lose-focus handler may have sent the focus elsewhere.
    if (focus_ == control) presenter_.GotFocus(control);
}

void HeadlessView::SelectAll(Control control) { At(control).selected = true; }

bool HeadlessView::Selected(Control control) const {
    const State* c = Find(control);
    return c && c->selected;
}

void HeadlessView::FocusNext(bool backwards) {
    if (tabOrder_.empty()) return;
    auto usable = [&](Control control) { return Enabled(control) && Visible(control); };
    auto it = std::find(tabOrder_.begin(), tabOrder_.end(), focus_);
    int n = static_cast<int>(tabOrder_.size());
    int i = it == tabOrder_.end() ? (backwards ? 0 : -1) : static_cast<int>(it - tabOrder_.begin());
    for (int step = 0; step < n; ++step) {
        i = ((backwards ? i - 1 : i + 1) % n + n) % n;
        if (usable(tabOrder_[i])) {
            SetFocus(tabOrder_[i]);
            return;
        }
    }
}

MsgAnswer HeadlessView::MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                   MsgButtons buttons) {
    return platform_.Answer({id_, text, title, icon, buttons, MsgAnswer::OK});
}

std::string HeadlessView::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) {
    return platform_.AnswerInput({id_, prompt, title, defaultText, {}});
}

std::vector<Control> HeadlessView::Controls() const {
    std::vector<Control> controls;
    for (const auto& [control, state] : controls_) controls.push_back(control);
    return controls;
}

void HeadlessView::Type(Control control, const std::string& keys) {
    FocusTo(control);
    for (char ch : keys) {
        if (focus_ != control) return;  // a handler moved the focus away
        int key = ch == '\b' ? kKeyBackspace : static_cast<unsigned char>(ch);
        if (!presenter_.KeyPress(control, key)) continue;
        State& c = At(control);
        if (key == kKeyBackspace) {
            if (c.selected) c.text.clear();
            else if (!c.text.empty()) c.text.pop_back();
        } else {
            if (c.selected) c.text.clear();
            c.text.push_back(ch);
        }
        c.selected = false;
        presenter_.Change(control);
    }
}

void HeadlessView::Leave() { FocusNext(false); }

void HeadlessView::FocusTo(Control control) {
    SetFocus(control);
}

void HeadlessView::Press(Control control) {
    if (!Enabled(control) || !Visible(control)) return;
    SetFocus(control);
    presenter_.Click(control);
}

void HeadlessView::Click(Control control) {
    if (!Enabled(control) || !Visible(control)) return;
    presenter_.Click(control);
}

void HeadlessView::Choose(Control control, const std::string& item) {
    SetFocus(control);
    At(control).text = item;
    presenter_.Click(control);
}

void HeadlessView::KeyDown(int code) {
    if (presenter_.KeyDown(code)) return;
    if (focus_ && code == kKeyEnter) presenter_.KeyPress(*focus_, kKeyEnter);
}

void HeadlessView::MouseOver(Control control) { presenter_.MouseMove(control); }

void HeadlessView::Activate() { presenter_.Activate(); }

void HeadlessView::Deactivate() { presenter_.Deactivate(); }

void HeadlessView::Tick(Control control) {
    if (!Enabled(control) || !Visible(control)) return;
    SetFocus(control);
    State& c = At(control);
    c.checked = !c.checked;
    presenter_.Click(control);
}

std::unique_ptr<View> HeadlessPlatform::CreateView(FormId id, Presenter& presenter) {
    auto view = std::make_unique<HeadlessView>(*this, id, presenter);
    views_[id] = view.get();
    return view;
}

void HeadlessPlatform::StartTimer(int milliseconds, std::function<void()> tick) {
    timers_.emplace(now_ + milliseconds, std::move(tick));
}

void HeadlessPlatform::RunTimers() {
    // A tick may start new timers; they run too.
    for (int guard = 0; guard < 10000 && !timers_.empty(); ++guard) {
        auto it = timers_.begin();
        now_ = std::max(now_, it->first);
        auto tick = std::move(it->second);
        timers_.erase(it);
        tick();
    }
}

HeadlessView* HeadlessPlatform::ViewOf(FormId id) const {
    auto it = views_.find(id);
    return it == views_.end() ? nullptr : it->second;
}

MsgAnswer HeadlessPlatform::Answer(ShownMessage message) {
    // Only a box with a choice takes a scripted answer.
    if (message.buttons == MsgButtons::OKCancel && !messageAnswers_.empty()) {
        message.answer = messageAnswers_.front();
        messageAnswers_.pop_front();
    }
    messages_.push_back(message);
    return message.answer;
}

std::string HeadlessPlatform::AnswerInput(ShownInputBox box) {
    if (!inputAnswers_.empty()) {
        box.answer = inputAnswers_.front();
        inputAnswers_.pop_front();
    } else {
        box.answer = box.defaultText;
    }
    inputBoxes_.push_back(box);
    return box.answer;
}

void HeadlessPlatform::Forget(HeadlessView* view) {
    for (auto it = views_.begin(); it != views_.end(); ++it)
        if (it->second == view) {
            views_.erase(it);
            return;
        }
}

HeadlessPlatform::HeadlessPlatform() : tools_(std::make_unique<HeadlessTools>()) {}
HeadlessPlatform::~HeadlessPlatform() = default;
ToolPort* HeadlessPlatform::Tools() { return tools_.get(); }

// ---- The text printer ----

bool TextPrinter::ShowPrintDialog() {
    dialogsShown_.push_back(copies_);
    if (dialogAnswers_.empty()) return true;
    std::optional<int> answer = dialogAnswers_.front();
    dialogAnswers_.pop_front();
    if (!answer) return false;
    copies_ = *answer;
    return true;
}

bool TextPrinter::StartDoc() {
    lines_.clear();
    line_.clear();
    return true;
}

double TextPrinter::TextWidth(const std::string& text) const {
    // One column per character: the continuation bytes of UTF-8 take none.
    double width = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) width += 1;
    return width;
}

void TextPrinter::PrintAt(int column, const std::string& text) {
    const size_t at = static_cast<size_t>(std::max(column, 1) - 1);
    const size_t used = static_cast<size_t>(TextWidth(line_));
    if (used <= at) line_.append(at - used, ' ');
    else line_.push_back(' ');  // the line is past the column already: one blank, never over it
    line_ += text;
}

void TextPrinter::EndLine() {
    lines_.push_back(line_);
    line_.clear();
}

bool TextPrinter::EndDoc() {
    if (!line_.empty()) EndLine();
    documents_.push_back(lines_);
    lines_.clear();
    return true;
}

}  // namespace involvo
