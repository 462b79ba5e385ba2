// The result pages: measurement data (page 1), gear dimensions (page 2) and the
// AGMA tolerances, for spur and helical gears.
#pragma once

#include "engine/gearmain.h"
#include "platform/view.h"

namespace involvo {

// Page 1 of a spur gear.
class FrmOutput1 : public Presenter {
public:
    FrmOutput1(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
    void Activate() override;
    void Unload() override;
    void Click(const std::string& control) override;

private:
    gearmain::GearMain& gear_;
    Forms& forms_;
};

// Page 1 of a helical gear.
class FrmHelical1 : public Presenter {
public:
    FrmHelical1(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
    void Activate() override;
    void Unload() override;
    void Click(const std::string& control) override;

private:
    gearmain::GearMain& gear_;
    Forms& forms_;
};

// Page 2 of a spur gear.
class FrmOutput2 : public Presenter {
public:
    FrmOutput2(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
    void Activate() override;
    void Unload() override;
    void Click(const std::string& control) override;

private:
    gearmain::GearMain& gear_;
    Forms& forms_;
};

// Page 2 of a helical gear.
class FRMHelical2 : public Presenter {
public:
    FRMHelical2(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
    void Activate() override;
    void Unload() override;
    void Click(const std::string& control) override;

private:
    gearmain::GearMain& gear_;
    Forms& forms_;
};

// The AGMA tolerances.
class AGMATOL : public Presenter {
public:
    AGMATOL(gearmain::GearMain& gear, Forms& forms);
    void Load() override;
    void Activate() override;
    void Unload() override;
    void Click(const std::string& control) override;

private:
    gearmain::GearMain& gear_;
    Forms& forms_;
};

}  // namespace involvo
