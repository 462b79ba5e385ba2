// The result pages: measurement data (page 1), gear dimensions (page 2) and the
// AGMA tolerances, for spur and helical gears.
//
// The pages compute no geometry. Each activation rebuilds the page from the gear
// state and the input screen's field texts, so a page always shows the last
// calculation. Page 1 also fills page 2 and the tolerance page ahead of time:
// the printed sheet is composed from their controls.
#pragma once

#include <string>
#include <string_view>

#include "engine/gearmain.h"
#include "platform/view.h"

namespace involvo {

// What every result page shares: the gear state, the windows and its own name.
// (The shell restores and saves the window placement around load and unload.)
class ResultPage : public Presenter {
protected:
    ResultPage(gearmain::GearMain& gear, Forms& forms, FormId id);
    // Close and "&Close": the page is unloaded.
    void Close();

    gearmain::GearMain& gear_;
    Forms& forms_;
    FormId id_;
};

// Page 1 of a spur gear.
class FrmOutput1 : public ResultPage {
public:
    FrmOutput1(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
    void Activate() override;
    void Click(const std::string& control) override;
};

// Page 1 of a helical gear: a second, transverse column beside the normal values
// and ball captions where a gear is measured with balls.
class FrmHelical1 : public ResultPage {
public:
    FrmHelical1(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
    void Activate() override;
    void Click(const std::string& control) override;

private:
    void BuildTransverseTexts();
    void Advise(bool oddTeeth);
};

// Row 5 of page 2: the outside diameter of an external gear, the inside diameter
// of an internal one. For an internal gear the inside diameter is copied into
// OutsideDiameter, so that everything reading the diameter row shows it.
void SetDiameterRow(View& dimensionsPage, gearmain::GearMain& gear);

// What page 1 does when it is shown, beyond its own rows: page 2 of its kind and
// the tolerance page are loaded (not shown) and filled, title, diameter row and
// all, because the printed sheet is composed from their controls.
void PrepareFollowingPages(Forms& forms, gearmain::GearMain& gear, bool helical);

// Page 2, the gear dimensions: one behaviour with two faces, the spur page and
// the helical page (which adds the transverse circular and base pitch).
class DimensionsPage : public ResultPage {
public:
    void Load() override;
    void Activate() override;
    void Click(const std::string& control) override;

    // The title and rows 1 to 12 (and 13, 14 on the helical page), used by
    // page 1 and by this page's activation. The spur page also sets its
    // diameter row; on the helical page that is page 1's business.
    static void Fill(View& page, gearmain::GearMain& gear, const std::string& title, bool helical);

protected:
    DimensionsPage(gearmain::GearMain& gear, Forms& forms, FormId id, bool helical);

private:
    bool helical_;
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
    void Click(const std::string& control) override;

    // The six tolerance boxes, each written with the mask given.
    static void Fill(View& page, const gearmain::GearMain& gear, std::string_view mask);
};

}  // namespace involvo
