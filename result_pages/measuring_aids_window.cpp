#include "result_pages/measuring_aids_window.h"

#include <filesystem>

#include "engine/numbers.h"
#include "result_pages/page_builders.h"
#include "result_pages/page_text.h"

namespace involvo {

using gearmain::Format;

namespace {

const char* const kCaption = "Measuring Aids";

// The first value of a result text "a / b".
std::string FirstValue(const std::string& text) {
    const size_t slash = text.find(" / ");
    return slash == std::string::npos ? text : text.substr(0, slash);
}

std::string WithSuffix(std::string file, const std::string& suffix) {
    std::string extension = std::filesystem::path(file).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension != suffix) file += suffix;
    return file;
}

}  // namespace

AidsContent AidsContentOf(const gearmain::GearMain& gear, const PageContent& page) {
    AidsContent content;
    content.caption = kCaption;
    content.aids = gearmain::MeasuringAidsOf(gear);
    content.picture = gearmain::PinPictureOf(gear, gear.Thick1, gear.PinDiameter);
    content.balls = MeasuredOverBalls(page);
    if (const PageRow* chordal = RowOf(page, Quantity::ChordalThickness)) content.chordalThickness = chordal->value;

    const bool internal = gear.GearType == 2;
    const PageRow* thickness = RowOf(page, Quantity::ToothThickness);
    std::string note = content.balls ? "The ball " : "The pin ";
    note += Format(gear.PinDiameter, "0.0000");
    note += internal ? " in the space width " : " at the tooth thickness ";
    note += thickness ? FirstValue(thickness->value) : Format(gear.Thick1, "0.000000");
    if (thickness && thickness->value.find(" / ") != std::string::npos) note += " (the first end of the band)";
    note += ", seen along the axis.";
    if (content.aids.PinOutside())
        note += content.aids.pins ? (content.balls ? " This ball lies outside the balls that work."
                                                   : " This pin lies outside the pins that work.")
                                  : (content.balls ? " No ball works." : " No pin works.");
    if (!content.picture) note += " It cannot be placed in the tooth space.";
    content.note = note;
    return content;
}

MeasuringAidsWindow::MeasuringAidsWindow(gearmain::GearMain& gear, Platform& platform)
    : gear_(gear), platform_(platform) {}

MeasuringAidsWindow::~MeasuringAidsWindow() = default;

bool MeasuringAidsWindow::Open(const PageContent& page) {
    if (!view_) {
        ToolPort* tools = platform_.Tools();
        if (!tools) return false;
        view_ = tools->CreateAidsView(*this);
        if (!view_) return false;
    }
    view_->Display(AidsContentOf(gear_, page));
    view_->Show();
    return true;
}

void MeasuringAidsWindow::Refresh(const PageContent& page) {
    if (IsOpen()) view_->Display(AidsContentOf(gear_, page));
}

void MeasuringAidsWindow::Tell(const std::string& text, MsgIcon icon) {
    if (view_) view_->MessageBox(text, kMessageTitle, icon);
}

void MeasuringAidsWindow::SaveAs(AidsCommand kind) {
    ToolPort* tools = platform_.Tools();
    if (!tools || !view_) return;
    const bool svg = kind == AidsCommand::SaveSvg;
    const std::string suffix = svg ? ".svg" : ".png";
    const std::filesystem::path start = std::filesystem::path(lastFolder_) / ("Measuring aids" + suffix);
    std::string file = tools->SaveFileName(svg ? "Save the drawing as SVG" : "Save the drawing as PNG",
                                           lastFolder_.empty() ? "Measuring aids" + suffix : start.string(),
                                           svg ? "SVG files (*.svg)" : "PNG files (*.png)");
    if (file.empty()) return;
    file = WithSuffix(file, suffix);
    lastFolder_ = std::filesystem::path(file).parent_path().string();
    const std::string error = svg ? view_->SaveSvg(file) : view_->SavePng(file);
    if (!error.empty()) Tell("The drawing could not be saved in the file " + file + " (" + error + ").", MsgIcon::Exclamation);
}

void MeasuringAidsWindow::Command(AidsCommand command) {
    switch (command) {
        case AidsCommand::SaveSvg:
        case AidsCommand::SavePng: SaveAs(command); return;
        case AidsCommand::Print:
            if (!view_) return;
            if (std::optional<std::string> error = view_->Print())
                Tell("The drawing could not be printed" + (error->empty() ? std::string(".") : ": " + *error + "."),
                     MsgIcon::Exclamation);
            return;
    }
}

}  // namespace involvo
