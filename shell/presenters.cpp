// Which presenter drives which window.
#include "input_screen/frm_main.h"
#include "printing/print_commands.h"
#include "printing/printout_options.h"
#include "result_pages/check_part.h"
#include "result_pages/result_pages.h"
#include "shell/about_box.h"
#include "shell/application.h"
#include "shell/splash.h"

namespace involvo {

std::unique_ptr<Presenter> MakePresenter(FormId id, gearmain::GearMain& gear, Forms& forms,
                                         const std::filesystem::path& printoutOptionsFile) {
    switch (id) {
        case FormId::FrmMain: return std::make_unique<FrmMain>(gear, forms);
        case FormId::FrmOutput1: return std::make_unique<FrmOutput1>(gear, forms);
        case FormId::FrmHelical1: return std::make_unique<FrmHelical1>(gear, forms);
        case FormId::FrmOutput2: return std::make_unique<FrmOutput2>(gear, forms);
        case FormId::FRMHelical2: return std::make_unique<FRMHelical2>(gear, forms);
        case FormId::AGMATOL: return std::make_unique<AGMATOL>(gear, forms);
        case FormId::frmSplash: return std::make_unique<FrmSplash>();
        case FormId::frmAbout: return std::make_unique<FrmAbout>(forms);
        case FormId::FrmChecklist1: return std::make_unique<FrmChecklist1>(gear, forms, printoutOptionsFile);
        case FormId::FrmPrinting: return std::make_unique<FrmPrinting>(forms);
        case FormId::FrmCheckPart: return std::make_unique<FrmCheckPart>(gear, forms);
        default: return std::make_unique<Presenter>();
    }
}

}  // namespace involvo
