#include "cli/cli.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <ostream>

#include "cli/pdf_printer.h"
#include "input_screen/part_file.h"
#include "platform/headless.h"
#include "printing/inspection_report.h"
#include "printing/print_commands.h"
#include "printing/printout_options.h"

namespace involvo::cli {

const char* const kHelp =
    "usage: involvo-cli [options]        one gear: its result pages as a table\n"
    "       involvo-cli --batch FILE     a CSV file of gears: one CSV result row each\n"
    "       involvo-cli --batch -        the same, the gears read from standard input\n"
    "\n"
    "Each option is typed into its field of the input screen, in the order listed, as\n"
    "a user types it; Calculate is pressed and the result pages are read, so the\n"
    "numbers are exactly those of the window.\n"
    "\n"
    "The gear:\n"
    "  --internal            an internal gear (default external)     e.g. --internal\n"
    "  --mode M              pins (default), thickness or span       e.g. --mode thickness\n"
    "  --depth-system S      tooth depth system 1 to 9 (default 1)   e.g. --depth-system 3\n"
    "  --feature TEXT        what --value is, from the mode's list   e.g. --feature \"Span Measurement\"\n"
    "  --teeth N             number of teeth                         e.g. --teeth 24\n"
    "  --pitch P             normal diametral pitch (P/Pd: system 8) e.g. --pitch 10, --pitch 8/10\n"
    "  --pressure-angle A    normal pressure angle (default 20)      e.g. --pressure-angle 14.5\n"
    "  --helix H             helix angle (default 0: spur)           e.g. --helix 30\n"
    "  --od-change X         O.D. enlarged (+) or reduced (-)        e.g. --od-change -0.01\n"
    "  --face-width F        face width (default 1)                  e.g. --face-width 1.5\n"
    "  --quality Q           AGMA quality 3 to 15 (default none)     e.g. --quality 9\n"
    "  --cutter-depth X      hob or shaper depth of system 9         e.g. --cutter-depth 0.25\n"
    "  --value V             the feature's value or band \"a / b\";    e.g. --value 0.155, --value 0.155/0.157\n"
    "                        default: the basic value the screen offers\n"
    "  --pin D               pin or ball diameter, or teeth spanned; e.g. --pin 0.1728, --pin 4\n"
    "                        default: the standard one the screen offers\n"
    "\n"
    "The output:\n"
    "  --json                ok, state, messages, pages, inspection (with readings)\n"
    "                        and measuring as JSON                   e.g. --teeth 24 --pitch 10 --json\n"
    "  --sheet               the sheet page 1's print button prints  e.g. --teeth 24 --pitch 10 --sheet\n"
    "  --pdf FILE            that sheet into a PDF file too          e.g. --pdf gear.pdf\n"
    "  --options LIST        printout options of the sheet: all, none or 1 to 18\n"
    "                        (default: the file CheckboxValues.dat)  e.g. --options all, --options 1-12,14\n"
    "  --batch FILE          one gear a CSV row; the header names the columns as the\n"
    "                        options without dashes; - is standard input\n"
    "                                                                e.g. --batch gears.csv, --batch -\n"
    "  --help                this help\n"
    "\n"
    "Checking a part and choosing how to measure it:\n"
    "  --readings \"R1 R2 ..\" readings of the measured dimension (over pins, or span),\n"
    "                        blank- or comma-separated: each one's thickness, how far\n"
    "                        beyond the band of --value it lies, the spread and the\n"
    "                        verdict ACCEPT or REJECT (with a single value: no verdict)\n"
    "                             e.g. --teeth 24 --pitch 10 --value 0.155/0.157 --readings \"2.6361 2.6372\"\n"
    "  --part FILE           the gear (and readings, part number) of a part file;\n"
    "                        options given override its entries      e.g. --part A-1234.gear --readings 2.6368\n"
    "  --part-number TEXT    the part number of the report and of --save-part\n"
    "                                                                e.g. --part-number A-1234\n"
    "  --save-part FILE      the gear as entered, the part number and the readings\n"
    "                        into a part file                        e.g. --save-part A-1234.gear\n"
    "  --report FILE         the inspection report into a PDF file (needs readings)\n"
    "                                                                e.g. --report A-1234.pdf\n"
    "  --measuring           the pins and spans that work in the table, and in\n"
    "                        --batch the columns pin_smallest, pin_largest,\n"
    "                        pin_proud_from, span_fewest, span_most  e.g. --batch gears.csv --measuring\n"
    "  --picture FILE        the pin in its tooth space, drawn to scale, into an SVG\n"
    "                        or PNG file                             e.g. --picture gear.svg\n"
    "A batch may have a readings column: its rows get the columns spread and verdict.\n"
    "\n"
    "Exit status: 0 success (a rejected part too: the verdict is in the output), 1 a\n"
    "refused or failed calculation (the program's own message on standard error) or a\n"
    "file that could not be written, 2 bad usage (bad readings, a part file that\n"
    "cannot be opened).\n";

namespace {

// The sheet of page 1's print button, printed on a printer: with the part
// number asked for (option 18), the tool answers with what the box offers.
std::optional<gearmain::Notice> PrintOnto(PrinterPort& printer, gearmain::GearMain& gear, const SheetContents& sheet) {
    if (gear.PrintoutChoices[kOptPartNumber] == 1) gear.PartNumber += " ";
    if (!printer.UseDefaultPrinter()) return std::nullopt;
    return PrintDocumentOn(printer, gear, sheet, 1).notice;
}

// Prints the sheet that page 1's print button prints, as text and/or into a
// PDF file; its messages join the run's.
void PrintTheSheet(GearRun& run, GearEntry& entry, const GearOptions& options, const SheetRequest& request,
                   const OptionValues& fileOptions) {
    gearmain::GearMain& gear = entry.gear();
    SetOptions(gear, fileOptions);
    if (options.Has(Option::PrintoutList)) SetOptions(gear, *OptionList(options.Get(Option::PrintoutList)));
    const SheetContents sheet = entry.PageOneSheet();
    if (request.text) {
        TextPrinter text;
        if (auto notice = PrintOnto(text, gear, sheet)) run.messages.push_back(*notice);
        if (!text.Documents().empty()) run.sheet = text.Documents().back();
    }
    if (!request.pdf.empty()) {
        std::unique_ptr<PdfPrinter> pdf = OpenPdfPrinter(request.pdf);
        if (!pdf) {
            run.sheetError = PdfUnavailable();
            return;
        }
        if (auto notice = PrintOnto(pdf->Port(), gear, sheet)) {
            run.messages.push_back(*notice);
            if (notice->icon == gearmain::MsgIcon::Exclamation) run.sheetError = notice->text;
        }
    }
}

// What the check request asks for, after a calculation that succeeded: the
// check of the readings and its report, the measuring aids and their picture,
// the part file. Why a file could not be written joins the run's sheetError.
void CheckTheGear(GearRun& run, GearEntry& entry, const CheckRequest& checks) {
    auto failed = [&](const std::string& text) {
        run.sheetError += (run.sheetError.empty() ? "" : "\n") + text;
    };
    if (checks.readings) run.inspection = entry.Inspect(checks.readings->values, run);
    run.partNumber = gearmain::Trim(checks.partNumber);
    if (checks.measuring || !checks.picture.empty()) run.measuring = entry.Measure(true, run);
    if (!checks.report.empty() && run.inspection) {
        InspectionReport report;
        report.partNumber = checks.partNumber;
        report.dateTime = ReportDateTime(std::time(nullptr));
        report.gear = GearDataRows(entry.gear(), *run.inspection);
        report.inspection = *run.inspection;
        std::unique_ptr<PdfPrinter> pdf = OpenPdfPrinter(checks.report);
        if (!pdf) failed(PdfUnavailable());
        else if (std::optional<std::string> why = PrintReportDocument(pdf->Port(), report))
            failed("the inspection report could not be written to " + checks.report + (why->empty() ? "" : ": " + *why));
    }
    if (!checks.picture.empty())
        if (std::optional<std::string> why = SavePicture(checks.picture, *run.measuring))
            failed("the picture could not be written to " + checks.picture + ": " + *why);
    if (!checks.savePart.empty()) {
        Part part = PartOf(entry.texts(), entry.gear(), checks.readings ? checks.readings->texts : std::vector<std::string>{});
        part.partNumber = run.partNumber;
        if (std::optional<std::string> why = WritePartFile(checks.savePart, part)) failed(*why);
    }
}

// The entries of a part file under the options of the command line: each one
// the command line does not give. A mode other than the part's leaves out the
// part's feature, value and pin, which belong to its mode.
void TakePart(const Part& part, GearOptions& options) {
    const auto mode = part.entries.find("mode");
    const std::string partMode = mode == part.entries.end() ? "pins" : mode->second;
    const bool otherMode = options.Has(Option::Mode) && options.Get(Option::Mode) != partMode;
    for (const auto& [key, value] : part.Options()) {
        const std::optional<Option> option = OptionNamed(key);
        if (!option || options.Has(*option)) continue;
        if (otherMode && (*option == Option::Feature || *option == Option::Value || *option == Option::Pin)) continue;
        options.Set(*option, value);
    }
}

bool EndsWith(const std::string& text, const char* suffix) {
    const std::string end = suffix;
    if (text.size() < end.size()) return false;
    for (size_t i = 0; i < end.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i]) return false;
    return true;
}

// A usage error's way out.
int Usage(std::ostream& err, const std::string& text) {
    err << "involvo-cli: " << text << "\n";
    return 2;
}

}  // namespace

GearRun RunGear(const GearOptions& options, bool withState, const SheetRequest& sheetRequest,
                const CheckRequest& checks) {
    GearRun run;
    GearEntry entry;
    // The program reads its printout options as it starts (and creates the
    // file when there is none); only the sheet needs them.
    OptionValues fileOptions{};
    if (sheetRequest.Any()) fileOptions = ReadOptionsAtStartUp(kOptionsFileName);
    entry.Run(options, run);
    if (run.ok && sheetRequest.Any()) PrintTheSheet(run, entry, options, sheetRequest, fileOptions);
    if (run.ok) CheckTheGear(run, entry, checks);
    if (withState) WriteState(entry.gear(), run);
    return run;
}

namespace {

int Run(int argc, char** argv, std::ostream& out, std::ostream& err) {
    GearOptions options;
    bool json = false;
    std::string batch, partFile;
    std::optional<std::string> readings, partNumber;
    SheetRequest sheet;
    CheckRequest checks;
    try {
        for (int i = 1; i < argc; ++i) {
            std::string arg = argv[i];
            if (arg == "--help" || arg == "-h") {
                out << kHelp;
                return 0;
            }
            if (arg.rfind("--", 0) != 0) throw UsageError{"unexpected argument " + arg};
            std::string name = arg.substr(2), value;
            size_t eq = name.find('=');
            bool inlineValue = eq != std::string::npos;
            if (inlineValue) {
                value = name.substr(eq + 1);
                name = name.substr(0, eq);
            }
            if (name == "json") {
                json = true;
                continue;
            }
            if (name == "sheet") {
                sheet.text = true;
                continue;
            }
            if (name == "measuring") {
                checks.measuring = true;
                continue;
            }
            std::optional<Option> option = OptionNamed(name);
            if (option && IsFlag(*option)) {
                options.Set(*option, "");
                continue;
            }
            static const std::string kOthers[] = {"batch",  "pdf",     "readings",  "part-number",
                                                  "part",   "report",  "picture",   "save-part"};
            if (!option && std::find(std::begin(kOthers), std::end(kOthers), name) == std::end(kOthers))
                throw UsageError{"unknown option --" + name};
            if (!inlineValue) {
                if (i + 1 >= argc) throw UsageError{"--" + name + " needs a value"};
                value = argv[++i];
            }
            if (option) options.Set(*option, value);
            else if (name == "batch") batch = value;
            else if (name == "pdf") sheet.pdf = value;
            else if (name == "readings") readings = value;
            else if (name == "part-number") partNumber = value;
            else if (name == "part") partFile = value;
            else if (name == "report") checks.report = value;
            else if (name == "picture") checks.picture = value;
            else if (name == "save-part") checks.savePart = value;
        }
        if (!batch.empty()) {
            // Standard input, or the file, read as the rows arrive.
            const int fd = batch == "-" ? STDIN_FILENO : ::open(batch.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) throw UsageError{"cannot read " + batch};
            struct stat info {};
            if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
                ::close(fd);
                throw UsageError{"cannot read " + batch + ": it is a folder"};
            }
            FileSource source(fd);
            int status;
            try {
                status = RunBatch(source, out, 0, ExtraColumns{false, checks.measuring});
            } catch (...) {
                if (fd != STDIN_FILENO) ::close(fd);
                throw;
            }
            if (fd != STDIN_FILENO) ::close(fd);
            return status;
        }
        if (!partFile.empty()) {
            // A part that cannot be opened changes nothing and writes nothing.
            PartRead read = ReadPartFile(partFile);
            if (!read.part) throw UsageError{read.message};
            TakePart(*read.part, options);
            if (!readings && !read.part->readings.empty()) {
                std::string list;
                for (const std::string& reading : read.part->readings) list += (list.empty() ? "" : " ") + reading;
                readings = list;
            }
            if (!partNumber) partNumber = read.part->partNumber;
        }
        if (auto bad = CheckOptions(options)) throw *bad;
        if (readings) {
            checks.readings = gearmain::ParseReadings(*readings);
            if (!checks.readings->ok()) throw UsageError{"--readings: " + checks.readings->error};
        }
        checks.partNumber = partNumber.value_or("");
        if (json) checks.measuring = true;
        if (!checks.report.empty() && !checks.readings)
            throw UsageError{"--report needs readings: give --readings, or a part file that holds them"};
        if (!checks.picture.empty() && !EndsWith(checks.picture, ".svg") && !EndsWith(checks.picture, ".png"))
            throw UsageError{"--picture writes an .svg or a .png file"};
        const bool qt = !sheet.pdf.empty() || !checks.report.empty() || !checks.picture.empty();
        if (qt && !PdfAvailable()) throw UsageError{PdfUnavailable()};
    } catch (const UsageError& e) {
        return Usage(err, e.text);
    }

    GearRun run = RunGear(options, true, sheet, checks);
    if (json) WriteJson(out, run);
    else if (run.ok && sheet.text)
        for (const auto& line : run.sheet) out << line << "\n";
    else if (run.ok) WriteTable(out, run);
    if (run.ok && !run.sheetError.empty()) {
        err << "involvo-cli: " << run.sheetError << "\n";
        return 1;
    }
    if (!run.ok) {
        std::string text = run.error;
        for (char& c : text)
            if (c == '\r') c = '\n';
        err << text << "\n";
        return run.error.rfind("--feature", 0) == 0 ? 2 : 1;
    }
    return 0;
}

}  // namespace

int Main(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const int status = Run(argc, argv, out, err);
    // A full disk or a closed pipe must not pass for results written.
    out.flush();
    if (!out) {
        err << "involvo-cli: the output could not be written\n";
        return 1;
    }
    return status;
}

}  // namespace involvo::cli
