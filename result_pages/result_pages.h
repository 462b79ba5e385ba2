// The result pages: measurement data (page 1), gear dimensions (page 2) and the
// AGMA tolerances, for spur and helical gears.
//
// The pages compute no geometry. Each activation builds the page's content from
// the gear state and the input screen's field texts (result_pages/
// page_builders.h), displays it and keeps it, so a page always shows the last
// calculation. Page 1 also gives page 2 and the tolerance page their contents
// ahead of time: the printed sheet is composed from the contents the pages
// hold.
#pragma once

#include <memory>
#include <string>

#include "engine/gearmain.h"
#include "input_screen/entry_texts.h"
#include "platform/view.h"
#include "printing/gear_sheet.h"
#include "result_pages/measuring_aids_window.h"
#include "result_pages/page_content.h"

namespace involvo {

// The texts of the input screen's fields as they stand, read through the
// windows.
EntryTexts ReadEntryTexts(Forms& forms);

// Shows a content in a page's view: the captions, values and transverse
// values of its rows, which rows are shown, the title, and Next of page 2 and
// the note of the tolerance page.
void DisplayContent(View& view, const PageContent& content);

// The transverse box beside a row of a helical page (page 1: Text 13, 14, 15,
// 16, 17, 18 beside rows 2, 3, 5, 9, 10, 11; page 2: Text 13, 14 beside rows 3,
// 4); 0 for a row without one.
int TransverseBox(FormId page, int row);

// What every result page shares: the gear state, the windows, its own name, and
// the content it shows. (The shell restores and saves the window placement
// around load and unload.)
class ResultPage : public Presenter {
public:
    // The content the page shows.
    const PageContent& Content() const { return content_; }
    // Displays a content in the page's view and keeps it as what the page shows.
    void Display(PageContent content);

protected:
    ResultPage(gearmain::GearMain& gear, Forms& forms, FormId id);
    // Close and "&Close": the page is unloaded.
    void Close();
    // The print button and the "&Print..." menu item: the sheet of the contents
    // the pages hold.
    void PrintCommand(Control control, Sheet sheet);

    gearmain::GearMain& gear_;
    Forms& forms_;
    FormId id_;

private:
    PageContent content_;
};

// The presenter of a result page (loading the page if it is not loaded).
ResultPage& ResultPageOf(Forms& forms, FormId page);

// The sheet composed from the contents that the pages hold: page 1 and page 2
// of the sheet's kind, and the tolerance page.
SheetContents HeldContents(Forms& forms, Sheet sheet);

// Page 1, the measurement data: one behaviour with two faces, the spur page and
// the helical page (a second, transverse column, ball captions where a gear is
// measured with balls, and advice about balls).
class MeasurementPage : public ResultPage {
public:
    ~MeasurementPage() override;
    void Activate() override;
    void Click(Control control) override;

protected:
    MeasurementPage(gearmain::GearMain& gear, Forms& forms, FormId id, PageKind kind);
    // The designer texts that both faces share.
    void LoadCommon();
    void OpenAids();

private:
    PageKind kind_;
    // The Measuring Aids window of this page's gear; it closes with the page.
    std::unique_ptr<MeasuringAidsWindow> aids_;
};

// Page 1 of a spur gear.
class FrmOutput1 : public MeasurementPage {
public:
    FrmOutput1(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
};

// Page 1 of a helical gear.
class FrmHelical1 : public MeasurementPage {
public:
    FrmHelical1(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
};

// Page 2, the gear dimensions: one behaviour with two faces, the spur page and
// the helical page (which adds the transverse circular and base pitch).
class DimensionsPage : public ResultPage {
public:
    void Load() override;
    void Activate() override;
    void Click(Control control) override;

protected:
    DimensionsPage(gearmain::GearMain& gear, Forms& forms, FormId id, PageKind kind);

private:
    PageKind kind_;
};

// Page 2 of a spur gear.
class FrmOutput2 : public DimensionsPage {
public:
    FrmOutput2(gearmain::GearMain& gear, Forms& forms);
};

// Page 2 of a helical gear.
class FRMHelical2 : public DimensionsPage {
public:
    FRMHelical2(gearmain::GearMain& gear, Forms& forms);
};

// The AGMA tolerances.
class AGMATOL : public ResultPage {
public:
    AGMATOL(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
    void Activate() override;
    void Click(Control control) override;
};

}  // namespace involvo
