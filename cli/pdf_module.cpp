// Loads the Qt module of involvo-cli when --pdf, --report or --picture asks for
// it: beside the tool in the build, or in the library folder where it is
// installed.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "cli/pdf_printer.h"

namespace involvo::cli {

namespace {

using OpenPdf = PdfPrinter* (*)(const char*);
using SaveDrawing = bool (*)(const char*, const Measuring*, std::string*);

struct Module {
    OpenPdf open = nullptr;
    SaveDrawing save = nullptr;
    std::string error;
};

std::string ToolFolder() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string exe(path, static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash);
}

const Module& Loaded() {
    static const Module module = [] {
        Module m;
        const std::string folder = ToolFolder();
        for (const std::string& path :
             {folder + "/" INVOLVO_PDF_MODULE, folder + "/" INVOLVO_PDF_MODULE_INSTALLED}) {
            void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!handle) {
                if (m.error.empty()) m.error = ::dlerror();
                continue;
            }
            m.open = reinterpret_cast<OpenPdf>(::dlsym(handle, "involvo_cli_open_pdf"));
            m.save = reinterpret_cast<SaveDrawing>(::dlsym(handle, "involvo_cli_save_picture"));
            if (m.open && m.save) return m;
            m.open = nullptr;
            m.error = "no PDF printer in " + path;
        }
        m.error = "--pdf, --report and --picture cannot load the tool's Qt module (" + m.error + ")";
        return m;
    }();
    return module;
}

}  // namespace

bool PdfAvailable() { return Loaded().open != nullptr; }

std::string PdfUnavailable() { return Loaded().error; }

std::unique_ptr<PdfPrinter> OpenPdfPrinter(const std::string& file) {
    const Module& module = Loaded();
    return module.open ? std::unique_ptr<PdfPrinter>(module.open(file.c_str())) : nullptr;
}

std::optional<std::string> SavePicture(const std::string& file, const Measuring& measuring) {
    const Module& module = Loaded();
    if (!module.save) return module.error;
    std::string error;
    if (!module.save(file.c_str(), &measuring, &error)) return error;
    return std::nullopt;
}

}  // namespace involvo::cli
