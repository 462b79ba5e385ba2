#include "cli/cli.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>
#include <thread>

#include "printing/print_commands.h"
#include "printing/printout_options.h"
#include "result_pages/result_pages.h"
#include "shell/application.h"
#ifdef INVOLVO_CLI_PDF
#include "platform/qt_print/qt_printer.h"
#endif

namespace involvo::cli {

namespace {

using gearmain::Trim;

const std::set<std::string> kFlags = {"internal"};
const std::set<std::string> kValued = {"mode",  "teeth",      "pitch",   "pressure-angle", "helix",
                                       "feature", "value",    "pin",     "od-change",      "face-width",
                                       "quality", "depth-system", "cutter-depth", "options"};

// The printout options of --options: "all", "none", or numbers and ranges of
// 1 to 18 ("1-12,14").
std::optional<OptionValues> OptionList(const std::string& text) {
    OptionValues values{};
    std::string list = Trim(text);
    if (list == "all") {
        values.fill(1);
        values[0] = 0;
        return values;
    }
    if (list == "none") return values;
    size_t start = 0;
    for (;;) {
        size_t comma = list.find(',', start);
        std::string item = Trim(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        size_t dash = item.find('-');
        auto number = [](const std::string& t) -> int {
            if (t.empty() || t.size() > 2 || t.find_first_not_of("0123456789") != std::string::npos) return 0;
            return std::stoi(t);
        };
        int from = number(Trim(item.substr(0, dash)));
        int to = dash == std::string::npos ? from : number(Trim(item.substr(dash + 1)));
        if (from < 1 || to > kOptionCount || from > to) return std::nullopt;
        for (int i = from; i <= to; ++i) values[i] = 1;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return values;
}

bool IsNumber(const std::string& text, bool signAllowed = false) { return gearmain::IsPlainNumber(text, signAllowed); }

bool IsPair(const std::string& text, bool signAllowed) {
    size_t slash = text.find('/');
    if (slash == std::string::npos) return IsNumber(text, signAllowed);
    return IsNumber(text.substr(0, slash), signAllowed) && IsNumber(text.substr(slash + 1), signAllowed);
}

// The result columns of a batch row: each holds the first row, across page 1,
// page 2 and the tolerances, that is its quantity. The number of teeth spanned
// is no row of its own: it comes with the span row.
struct Column {
    const char* name;
    Quantity quantity;
};
constexpr Column kResultColumns[] = {
    {"thickness", Quantity::ToothThickness},
    {"measurement", Quantity::Measurement},
    {"pin", Quantity::PinDiameter},
    {"pin_contact", Quantity::PinContactDiameter},
    {"radial", Quantity::RadialDimension},
    {"chordal", Quantity::ChordalThickness},
    {"span", Quantity::Span},
    {"teeth_spanned", Quantity::None},
    {"backlash", Quantity::Backlash},
    {"k_factor", Quantity::KFactor},
    {"base_diameter", Quantity::BaseDiameter},
    {"pitch_diameter", Quantity::PitchDiameter},
    {"circular_pitch", Quantity::CircularPitch},
    {"base_pitch", Quantity::BasePitch},
    {"outside_inside_diameter", Quantity::OutsideOrInsideDiameter},
    {"root_diameter", Quantity::RootDiameter},
    {"finished_root_diameter", Quantity::FinishedRootDiameter},
    {"whole_depth", Quantity::WholeDepth},
    {"working_depth", Quantity::WorkingDepth},
    {"addendum", Quantity::Addendum},
    {"dedendum", Quantity::Dedendum},
    {"tip_land", Quantity::TipLand},
    {"runout", Quantity::Runout},
    {"pitch_variation", Quantity::PitchVariation},
    {"profile", Quantity::Profile},
    {"lead", Quantity::Lead},
    {"tooth_to_tooth", Quantity::ToothToTooth},
    {"total_composite", Quantity::TotalComposite},
};
constexpr size_t kColumnCount = std::size(kResultColumns);

constexpr size_t ColumnIndex(std::string_view name) {
    for (size_t i = 0; i < kColumnCount; ++i)
        if (kResultColumns[i].name == name) return i;
    return kColumnCount;
}
constexpr size_t kSpanColumn = ColumnIndex("span");
constexpr size_t kTeethSpannedColumn = ColumnIndex("teeth_spanned");
static_assert(kSpanColumn < kColumnCount && kTeethSpannedColumn < kColumnCount);

// The column that holds a row's quantity; kColumnCount for none.
size_t ColumnOf(Quantity quantity) {
    if (quantity == Quantity::None) return kColumnCount;
    for (size_t i = 0; i < kColumnCount; ++i)
        if (kResultColumns[i].quantity == quantity) return i;
    return kColumnCount;
}

std::string Number(float v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}
std::string Number(double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

const char* IconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical: return "critical";
        case MsgIcon::Exclamation: return "exclamation";
        case MsgIcon::Information: return "information";
    }
    return "";
}

std::string Json(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

HeadlessView* ShownView(HeadlessPlatform& platform, FormId id) {
    HeadlessView* v = platform.ViewOf(id);
    return v && v->IsShown() ? v : nullptr;
}

// What a shown result page shows.
const PageContent& ContentOf(Application& app, FormId page) { return ResultPageOf(app, page).Content(); }

}  // namespace

std::optional<UsageError> CheckOptions(const GearOptions& options) {
    for (const auto& option : options.values) {
        // Named copies of the pair, not a structured binding: clang before 16
        // does not let the lambda below capture one.
        const std::string& name = option.first;
        const std::string& value = option.second;
        if (kFlags.count(name)) continue;
        if (!kValued.count(name)) return UsageError{"unknown option --" + name};
        auto bad = [&] { return UsageError{"--" + name + ": not a number: " + value}; };
        if (name == "mode") {
            if (value != "pins" && value != "thickness" && value != "span")
                return UsageError{"--mode must be pins, thickness or span"};
        } else if (name == "feature") {
            // Checked against the mode's list when the gear is entered.
        } else if (name == "pitch") {
            if (!IsPair(value, false)) return bad();
        } else if (name == "value") {
            if (!IsPair(value, true)) return bad();
        } else if (name == "od-change") {
            if (!IsNumber(value, true)) return bad();
        } else if (name == "quality") {
            if (value != "None" && !IsNumber(value)) return bad();
        } else if (name == "options") {
            if (!OptionList(value)) return UsageError{"--options takes all, none, or numbers 1 to 18 such as 1-12,14"};
        } else if (!IsNumber(value)) {
            return bad();
        }
    }
    if (options.Has("depth-system")) {
        double s = gearmain::Val(options.Get("depth-system"));
        if (s < 1 || s > 9 || s != static_cast<int>(s)) return UsageError{"--depth-system must be 1 to 9"};
        if (s == 9 && !options.Has("cutter-depth")) return UsageError{"--depth-system 9 needs --cutter-depth"};
    }
    if (options.Has("pitch") && options.Get("pitch").find('/') != std::string::npos &&
        !(options.Has("depth-system") && gearmain::Val(options.Get("depth-system")) == 8))
        return UsageError{"--pitch a/b needs --depth-system 8"};
    return std::nullopt;
}

// Prints the sheet that page 1's print button prints, as text and/or into a PDF
// file: its command with the contents the pages held when page 1 was shown.
void PrintTheSheet(GearRun& run, Application& app, gearmain::GearMain& gear, HeadlessPlatform& platform,
                   FormId page, const SheetContents& sheet, const GearOptions& options,
                   const SheetRequest& request) {
    if (options.Has("options")) SetOptions(gear, *OptionList(options.Get("options")));
    if (request.text) {
        const size_t before = platform.TextOutput().Documents().size();
        PrintButton(app, gear, sheet, page);
        if (platform.TextOutput().Documents().size() > before) run.sheet = platform.TextOutput().Documents().back();
    }
    if (!request.pdf.empty()) {
#ifdef INVOLVO_CLI_PDF
        QtPrintSession session;
        QtPrinter pdf(request.pdf);
        platform.SetPrinter(&pdf);
        const size_t before = platform.Messages().size();
        PrintButton(app, gear, sheet, page);
        platform.SetPrinter(&platform.TextOutput());
        for (size_t i = before; i < platform.Messages().size(); ++i)
            if (platform.Messages()[i].icon == MsgIcon::Exclamation) run.sheetError = platform.Messages()[i].text;
#else
        run.sheetError = "this involvo-cli was built without Qt: no PDF files";
#endif
    }
}

GearRun RunGear(const GearOptions& options, bool withState, const SheetRequest& sheetRequest) {
    GearRun run;
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    Application app(gear, platform);
    app.StartUpWithoutSplash();
    HeadlessView& screen = *platform.ViewOf(FormId::FrmMain);

    auto enter = [&](const char* option, const char* field) {
        if (!options.Has(option)) return;
        screen.Type(field, options.Get(option));
        screen.Leave();
    };

    if (options.Has("internal")) screen.Press("Internal");
    if (options.Has("mode")) {
        const std::string& mode = options.Get("mode");
        if (mode == "thickness") screen.Click("MnuCTT");
        else if (mode == "span") screen.Click("MnuSpan");
        else screen.Click("MnuMow");
    }
    const int depthSystem = options.Has("depth-system") ? static_cast<int>(gearmain::Val(options.Get("depth-system"))) : 1;
    // A pitch fraction is accepted only with system 8 chosen first; a cutter
    // depth is asked for once the pitch is known.
    if (depthSystem != 9 && depthSystem != 1) screen.Click("MnuDepth(" + std::to_string(depthSystem) + ")");
    if (options.Has("feature")) {
        const std::string& feature = options.Get("feature");
        auto items = screen.Items("Combo1");
        if (std::find(items.begin(), items.end(), feature) == items.end()) {
            std::string list;
            for (const auto& item : items) list += (list.empty() ? "" : ", ") + item;
            run.error = "--feature must be one of: " + list;
            run.messages = platform.Messages();
            return run;
        }
        screen.Choose("Combo1", feature);
    }
    enter("teeth", "InputNT");
    enter("pitch", "InputDP");
    enter("pressure-angle", "InputPA");
    enter("helix", "InputHA");
    enter("od-change", "InputAddendumMod");
    enter("face-width", "InputFaceWidth");
    enter("quality", "ComboQuality");
    if (depthSystem == 9) {
        size_t before = platform.Messages().size();
        platform.ScriptInput(options.Get("cutter-depth"));
        platform.ScriptInput("");  // a refused depth is not offered again
        screen.Click("MnuDepth(9)");
        for (size_t i = before; i < platform.Messages().size(); ++i) {
            run.error = platform.Messages()[i].text;
            run.messages = platform.Messages();
            return run;
        }
    }
    enter("value", "InputCTT_MOW");
    enter("pin", "InputPINDIA");

    screen.Press("CmdCalc");

    FormId first = FormId::FrmOutput1, second = FormId::FrmOutput2;
    HeadlessView* page = ShownView(platform, FormId::FrmOutput1);
    if (!page) {
        page = ShownView(platform, FormId::FrmHelical1);
        first = FormId::FrmHelical1;
        second = FormId::FRMHelical2;
    }
    if (page) {
        run.ok = true;
        // What page 1's print button would print now; walking on to the
        // tolerance page writes its values anew.
        const SheetContents sheet =
            HeldContents(app, first == FormId::FrmHelical1 ? Sheet::Helical : Sheet::Spur);
        run.pages.push_back(ContentOf(app, first));
        page->Press("Next1");
        if (HeadlessView* p2 = ShownView(platform, second)) {
            run.pages.push_back(ContentOf(app, second));
            if (p2->Visible("Next") && p2->Enabled("Next")) {
                p2->Press("Next");
                if (ShownView(platform, FormId::AGMATOL)) run.pages.push_back(ContentOf(app, FormId::AGMATOL));
            }
        }
        run.teethSpanned = gear.TeethSpanned;
        if (sheetRequest.Any()) PrintTheSheet(run, app, gear, platform, first, sheet, options, sheetRequest);
    } else {
        for (const auto& m : platform.Messages())
            if (m.icon == MsgIcon::Critical) {
                run.error = m.text;
                break;
            }
        if (run.error.empty() && !platform.Messages().empty()) run.error = platform.Messages().back().text;
        if (run.error.empty()) run.error = "The calculation did not complete";
    }
    run.messages = platform.Messages();

    if (withState) gear.ForEachValue([&](const char* name, gearmain::GearMain::ValueRef ref) {
        if (auto f = std::get_if<float*>(&ref)) run.stateNumbers.emplace_back(name, Number(**f));
        else if (auto i = std::get_if<int16_t*>(&ref)) run.stateNumbers.emplace_back(name, std::to_string(**i));
        else if (auto d = std::get_if<double*>(&ref)) run.stateNumbers.emplace_back(name, Number(**d));
        else if (auto s = std::get_if<std::string*>(&ref)) run.stateTexts.emplace_back(name, **s);
    });
    app.Shutdown();
    platform.RunTimers();
    return run;
}

void WriteTable(std::ostream& out, const GearRun& run) {
    for (const auto& page : run.pages) {
        out << page.title << "  [" << page.caption << "]\n";
        size_t width = 0;
        for (const auto& row : page.rows)
            if (row.visible) width = std::max(width, row.caption.size());
        for (const auto& row : page.rows) {
            if (!row.visible) continue;
            out << "  " << row.caption << std::string(width + 2 - row.caption.size(), ' ') << row.value;
            if (!row.transverse.empty()) out << "    (transverse " << row.transverse << ")";
            out << "\n";
        }
        out << "\n";
    }
    for (const auto& m : run.messages)
        if (m.icon != MsgIcon::Critical) {
            std::string text = m.text;
            for (char& c : text)
                if (c == '\r') c = ' ';
            out << "note: " << text << "\n";
        }
}

void WriteJson(std::ostream& out, const GearRun& run) {
    out << "{\n  \"ok\": " << (run.ok ? "true" : "false");
    if (!run.ok) out << ",\n  \"error\": " << Json(run.error);
    out << ",\n  \"state\": {";
    bool first = true;
    for (const auto& [name, value] : run.stateNumbers) {
        out << (first ? "\n    " : ",\n    ") << Json(name) << ": " << value;
        first = false;
    }
    for (const auto& [name, value] : run.stateTexts) {
        out << (first ? "\n    " : ",\n    ") << Json(name) << ": " << Json(value);
        first = false;
    }
    out << "\n  },\n  \"messages\": [";
    first = true;
    for (const auto& m : run.messages) {
        out << (first ? "\n    " : ",\n    ") << "{\"text\": " << Json(m.text) << ", \"icon\": \"" << IconName(m.icon)
            << "\"}";
        first = false;
    }
    out << (run.messages.empty() ? "]" : "\n  ]") << ",\n  \"pages\": {";
    first = true;
    for (const auto& page : run.pages) {
        out << (first ? "\n    " : ",\n    ") << Json(FormName(page.form)) << ": {\"caption\": " << Json(page.caption)
            << ", \"title\": " << Json(page.title) << ", \"rows\": [";
        bool firstRow = true;
        for (const auto& row : page.rows) {
            if (!row.visible) continue;
            out << (firstRow ? "" : ", ") << "[" << Json(row.caption) << ", " << Json(row.value);
            if (!row.transverse.empty()) out << ", " << Json(row.transverse);
            out << "]";
            firstRow = false;
        }
        out << "]}";
        first = false;
    }
    out << (run.pages.empty() ? "}" : "\n  }");
    if (!run.sheet.empty()) {
        out << ",\n  \"sheet\": [";
        for (size_t i = 0; i < run.sheet.size(); ++i) out << (i ? ",\n    " : "\n    ") << Json(run.sheet[i]);
        out << "\n  ]";
    }
    out << "\n}\n";
}

std::vector<std::string> CsvHeader() {
    std::vector<std::string> header = {"row", "ok", "message"};
    for (const Column& column : kResultColumns) header.push_back(column.name);
    return header;
}

std::vector<std::string> CsvRow(const GearRun& run) {
    std::vector<std::string> line = {"", run.ok ? "1" : "0", run.ok ? "" : run.error};
    const size_t first = line.size();
    line.resize(first + kColumnCount);
    std::vector<bool> filled(kColumnCount, false);
    for (const auto& page : run.pages)
        for (const auto& row : page.rows) {
            if (!row.visible) continue;
            size_t column = ColumnOf(row.quantity);
            if (column == kColumnCount || filled[column]) continue;
            filled[column] = true;
            line[first + column] = row.value;
            // The count that the span row's caption names.
            if (column == kSpanColumn) line[first + kTeethSpannedColumn] = gearmain::ShortText(run.teethSpanned);
        }
    return line;
}

void WriteCsvLine(std::ostream& out, const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) out << ',';
        const std::string& c = cells[i];
        if (c.find_first_of(",\"\r\n") != std::string::npos) {
            out << '"';
            for (char ch : c) {
                if (ch == '"') out << '"';
                out << ch;
            }
            out << '"';
        } else {
            out << c;
        }
    }
    out << '\n';
}

std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false, any = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    cell.push_back('"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell.push_back(c);
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            any = true;
        } else if (c == ',') {
            row.push_back(cell);
            cell.clear();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (any || !cell.empty()) {
                row.push_back(cell);
                rows.push_back(row);
            }
            row.clear();
            cell.clear();
            any = false;
        } else {
            cell.push_back(c);
            any = true;
        }
    }
    if (any || !cell.empty()) {
        row.push_back(cell);
        rows.push_back(row);
    }
    return rows;
}

int RunBatch(const std::string& csvText, std::ostream& out) {
    auto rows = ReadCsv(csvText);
    if (rows.empty()) throw UsageError{"the batch file has no header row"};
    std::vector<std::string> header;
    for (const auto& name : rows.front()) header.push_back(Trim(name));
    for (const auto& name : header)
        if (!kFlags.count(name) && !kValued.count(name)) throw UsageError{"unknown batch column " + name};

    std::vector<GearOptions> gears;
    for (size_t r = 1; r < rows.size(); ++r) {
        GearOptions options;
        for (size_t c = 0; c < header.size() && c < rows[r].size(); ++c) {
            std::string value = Trim(rows[r][c]);
            if (value.empty()) continue;
            if (kFlags.count(header[c])) {
                // A flag column holds 1/yes/true to set it.
                if (value == "1" || value == "yes" || value == "true") options.values[header[c]] = "";
                continue;
            }
            options.values[header[c]] = value;
        }
        gears.push_back(std::move(options));
    }

    // Every row is a program of its own (its own gear state and windows), so
    // the rows run side by side, one worker a core.
    std::vector<GearRun> runs(gears.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i; (i = next++) < gears.size();) {
            try {
                if (auto bad = CheckOptions(gears[i])) runs[i].error = bad->text;
                else runs[i] = RunGear(gears[i], false);
            } catch (const std::exception& e) {
                runs[i] = GearRun{};
                runs[i].error = e.what();
            }
        }
    };
    // The first row alone: it creates the options file when there is none,
    // before the others read it.
    if (!gears.empty()) {
        next = 1;
        if (auto bad = CheckOptions(gears[0])) runs[0].error = bad->text;
        else runs[0] = RunGear(gears[0], false);
    }
    const size_t workers =
        std::clamp<size_t>(std::thread::hardware_concurrency(), 1, std::max<size_t>(1, gears.size() / 32));
    std::vector<std::thread> pool;
    for (size_t w = 1; w < workers; ++w) pool.emplace_back(work);
    work();
    for (auto& t : pool) t.join();

    WriteCsvLine(out, CsvHeader());
    int status = 0;
    for (size_t r = 0; r < runs.size(); ++r) {
        auto line = CsvRow(runs[r]);
        line[0] = std::to_string(r + 1);
        WriteCsvLine(out, line);
        if (!runs[r].ok) status = 1;
    }
    return status;
}

int Main(int argc, char** argv, std::ostream& out, std::ostream& err) {
    GearOptions options;
    bool json = false;
    std::string batch;
    SheetRequest sheet;
    try {
        for (int i = 1; i < argc; ++i) {
            std::string arg = argv[i];
            if (arg == "--help" || arg == "-h") {
                out << "usage: involvo-cli [--internal] [--mode pins|thickness|span] --teeth N --pitch P[/Pd]\n"
                       "       [--pressure-angle A] [--helix H] [--feature TEXT] [--value V | \"a / b\"]\n"
                       "       [--pin D] [--od-change X] [--face-width F] [--quality Q]\n"
                       "       [--depth-system S [--cutter-depth X]] [--json]\n"
                       "       [--sheet] [--pdf FILE] [--options all|none|LIST such as 1-12,14]\n"
                       "       involvo-cli --batch FILE.csv\n";
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
            if (kFlags.count(name)) {
                options.values[name] = "";
                continue;
            }
            if (name != "batch" && name != "pdf" && !kValued.count(name))
                throw UsageError{"unknown option --" + name};
            if (!inlineValue) {
                if (i + 1 >= argc) throw UsageError{"--" + name + " needs a value"};
                value = argv[++i];
            }
            if (name == "batch") batch = value;
            else if (name == "pdf") sheet.pdf = value;
            else options.values[name] = value;
        }
        if (!batch.empty()) {
            std::ifstream in(batch, std::ios::binary);
            if (!in) throw UsageError{"cannot read " + batch};
            std::stringstream text;
            text << in.rdbuf();
            return RunBatch(text.str(), out);
        }
        if (auto bad = CheckOptions(options)) throw *bad;
#ifndef INVOLVO_CLI_PDF
        if (!sheet.pdf.empty()) throw UsageError{"--pdf needs the Qt build of involvo-cli"};
#endif
    } catch (const UsageError& e) {
        err << "involvo-cli: " << e.text << "\n";
        return 2;
    }

    GearRun run = RunGear(options, true, sheet);
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

}  // namespace involvo::cli
