#include "result_pages/result_pages.h"

namespace involvo {

ResultPage::ResultPage(gearmain::GearMain& gear, Forms& forms, FormId id) : gear_(gear), forms_(forms), id_(id) {}

void ResultPage::Close() { forms_.Unload(id_); }

}  // namespace involvo
