// FrmCheckPart, the Check a Part window: the readings taken on a part against
// the limits of the last calculation (page 1's gear), each reading's tooth
// thickness or space width, the spread and the verdict, and the inspection
// report printed or saved as a PDF file.
//
// Its controls: the part number (TextPartNumber), the limits of the measured
// quantity and of the thickness (LabelLimits, TextLimits, LabelThicknessLimits,
// TextThicknessLimits under LabelLimitsTitle), the table of kReadingRows rows
// (LabelRow(i), Reading(i), Thickness(i), Beyond(i), Status(i) under the
// headings LabelReading, LabelThickness, LabelBeyond, LabelStatus), the spread
// (LabelSpread, TextSpread), the verdict (LabelVerdict, LabelVerdictNote) and
// the buttons CmdPrint, CmdSavePdf, CmdClear and CmdClose.
#pragma once

#include <string>

#include "engine/gearmain.h"
#include "engine/inspection.h"
#include "platform/view.h"
#include "printing/inspection_report.h"

namespace involvo {

inline constexpr int kReadingRows = 12;

class FrmCheckPart : public Presenter {
public:
    FrmCheckPart(gearmain::GearMain& gear, Forms& forms);

    void Load() override;
    void Activate() override;
    bool KeyPress(Control control, int key) override;
    bool KeyDown(int keyCode) override;
    void Change(Control control) override;
    void Click(Control control) override;

    // The check as the window shows it.
    const gearmain::Inspection& Check() const { return check_; }
    // The report of the check as it stands (dated now).
    InspectionReport Report() const;

private:
    void ShowNotes();
    void Recheck();
    void TakeReadings();
    void PrintReport(bool toPdf);

    gearmain::GearMain& gear_;
    Forms& forms_;
    gearmain::Inspection check_;
    std::string pdfFolder_;
};

}  // namespace involvo
