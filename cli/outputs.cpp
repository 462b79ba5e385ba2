#include "cli/outputs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>

#include <nlohmann/json.hpp>

#include "engine/numbers.h"
#include "platform/view.h"

namespace involvo::cli {

namespace {

using gearmain::MsgIcon;

// The result columns of a batch row: each holds the first visible row, across
// page 1, page 2 and the tolerances, that is its quantity. The number of teeth
// spanned is no row of its own: it comes with the span row.
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

// The column of each quantity; kColumnCount for none.
constexpr auto kColumnOf = [] {
    std::array<uint8_t, 256> columns{};
    columns.fill(static_cast<uint8_t>(kColumnCount));
    for (size_t i = 0; i < kColumnCount; ++i)
        if (kResultColumns[i].quantity != Quantity::None)
            columns[static_cast<uint8_t>(kResultColumns[i].quantity)] = static_cast<uint8_t>(i);
    return columns;
}();

// The value of each result column, and the count of teeth spanned that comes
// with the span row.
struct ResultCells {
    std::array<const std::string*, kColumnCount> values{};
    std::string teethSpanned;
};

void PickColumns(const GearRun& run, ResultCells& cells) {
    cells.values.fill(nullptr);
    cells.teethSpanned.clear();
    for (const auto& page : run.pages)
        for (const auto& row : page.rows) {
            if (!row.visible) continue;
            const size_t column = kColumnOf[static_cast<uint8_t>(row.quantity)];
            if (column == kColumnCount || cells.values[column]) continue;
            cells.values[column] = &row.value;
            // The count that the span row's caption names.
            if (column == kSpanColumn) {
                cells.teethSpanned = gearmain::ShortText(run.teethSpanned);
                cells.values[kTeethSpannedColumn] = &cells.teethSpanned;
            }
        }
}

// ---- JSON ----

using JsonValue = nlohmann::ordered_json;

// Texts that are not UTF-8 are written with the replacement character: the
// output is always JSON.
// A number is written as the shortest text that reads back to its double
// (the library's writer may add digits, 0.15706204000000001, or change the
// notation, 4e-04 into 0.0004).
void AppendScalar(std::string& out, const JsonValue& value) {
    if (value.is_number_float()) {
        char buffer[32];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, value.get<double>());
        out.append(buffer, written.ptr);
        return;
    }
    out += value.dump(-1, ' ', false, JsonValue::error_handler_t::replace);
}

// The layout the tool has always written: the object's keys one a line, the
// items of the objects and lists in it one a line too, and anything deeper on
// the line of its item, with ", " and ": " between.
void AppendLaidOut(std::string& out, const JsonValue& value, int depth) {
    if (!value.is_structured()) return AppendScalar(out, value);
    const bool object = value.is_object();
    if (value.empty()) {
        out += object ? "{}" : "[]";
        return;
    }
    const bool itemLines = depth < 2;
    out += object ? '{' : '[';
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
        if (!first) out += itemLines ? "," : ", ";
        if (itemLines) out.append("\n").append(2 * (depth + 1), ' ');
        if (object) {
            AppendScalar(out, it.key());
            out += ": ";
        }
        AppendLaidOut(out, *it, depth + 1);
        first = false;
    }
    if (itemLines) out.append("\n").append(2 * depth, ' ');
    out += object ? '}' : ']';
}

// A number of the gear state, from its text (the shortest that reads back to
// its value, so written again the same); a text that is no finite number is
// null.
JsonValue StateNumber(const std::string& text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return nullptr;
    return value;
}

JsonValue TextOrNull(const std::optional<std::string>& text) {
    return text ? JsonValue(*text) : JsonValue(nullptr);
}
JsonValue TextOrNull(const std::string& text) { return text.empty() ? JsonValue(nullptr) : JsonValue(text); }

JsonValue BandOrNull(const std::optional<gearmain::Band>& band) {
    return band ? JsonValue::array({band->low, band->high}) : JsonValue(nullptr);
}

JsonValue InspectionJson(const gearmain::Inspection& inspection, const std::string& partNumber) {
    JsonValue readings = JsonValue::array();
    for (const gearmain::ReadingCheck& r : inspection.readings) {
        JsonValue reading = JsonValue::object();
        reading["reading"] = r.reading;
        reading["thickness"] = TextOrNull(r.thickness);
        reading["beyond"] = TextOrNull(r.beyond);
        reading["verdict"] = TextOrNull(std::string(gearmain::StatusText(r.status)));
        readings.push_back(std::move(reading));
    }
    JsonValue json = JsonValue::object();
    json["part_number"] = TextOrNull(partNumber);
    json["measured"] = inspection.measuredCaption;
    json["limits"] = BandOrNull(inspection.limits);
    json["thickness_limits"] = BandOrNull(inspection.thicknessLimits);
    json["readings"] = std::move(readings);
    json["spread"] = inspection.spread;
    json["verdict"] = TextOrNull(std::string(gearmain::VerdictText(inspection.verdict)));
    return json;
}

// Inches of the picture, to six decimals (no minus zero).
JsonValue Inches(double value) { return std::round(value * 1e6) / 1e6 + 0.0; }
JsonValue PointJson(const gearmain::Point& p) { return JsonValue::array({Inches(p.x), Inches(p.y)}); }

JsonValue MeasuringJson(const Measuring& m) {
    const gearmain::MeasuringAidsTexts& t = m.texts;
    JsonValue json = JsonValue::object();
    if (m.aids.pins) {
        JsonValue pins = JsonValue::object();
        pins["smallest"] = t.pinSmallest;
        pins["largest"] = t.pinLargest;
        pins["proud_from"] = TextOrNull(t.pinProudFrom);
        json["pins"] = std::move(pins);
    } else {
        json["pins"] = nullptr;
    }
    if (m.aids.span) {
        JsonValue span = JsonValue::object();
        span["fewest"] = static_cast<int>(m.aids.span->fewest);
        span["most"] = static_cast<int>(m.aids.span->most);
        span["contact_diameter"] = TextOrNull(t.spanContact);
        json["span"] = std::move(span);
    } else {
        json["span"] = nullptr;
    }
    json["chordal_addendum"] = TextOrNull(t.chordalAddendum);
    if (m.picture) {
        const gearmain::PinPicture& p = *m.picture;
        JsonValue picture = JsonValue::object();
        picture["pin_centre"] = PointJson(p.pinCentre);
        picture["pin_radius"] = Inches(p.pinRadius);
        picture["contact_points"] = JsonValue::array({PointJson(p.contacts[0]), PointJson(p.contacts[1])});
        JsonValue circles = JsonValue::object();
        circles["root"] = Inches(p.rootRadius);
        circles["base"] = Inches(p.baseRadius);
        circles["pitch"] = Inches(p.pitchRadius);
        circles[p.internal ? "inside" : "outside"] = Inches(p.tipRadius);
        picture["circles"] = std::move(circles);
        json["picture"] = std::move(picture);
    } else {
        json["picture"] = nullptr;
    }
    return json;
}

const char* IconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical: return "critical";
        case MsgIcon::Exclamation: return "exclamation";
        case MsgIcon::Information: return "information";
    }
    return "";
}

// ---- The table's sections beyond the pages ----

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text + "  " : text + std::string(width + 2 - text.size(), ' ');
}

void WriteInspection(std::ostream& out, const gearmain::Inspection& in) {
    using gearmain::ReadingStatus;
    out << "Check of the part  [" << in.readings.size() << (in.readings.size() == 1 ? " reading]\n" : " readings]\n");
    const std::string measured = in.measuredCaption, thickness = in.thicknessCaption;
    const size_t width = std::max(measured.size(), thickness.size());
    if (in.limits) {
        out << "  " << Padded(measured, width) << in.limits->low << " / " << in.limits->high << "\n";
        if (in.thicknessLimits)
            out << "  " << Padded(thickness, width) << in.thicknessLimits->low << " / " << in.thicknessLimits->high
                << "\n";
    } else {
        out << "  " << Padded(measured, width) << in.nominal << "  (no limits)\n";
        out << "  " << Padded(thickness, width) << in.thicknessNominal << "\n";
    }
    const char* third = in.limits ? "Beyond" : "Difference";
    out << "  " << Padded("Reading", 10) << Padded(in.internal ? "Space Width" : "Thickness", 11) << third << "\n";
    for (const gearmain::ReadingCheck& r : in.readings) {
        out << "  " << Padded(r.reading, 10) << Padded(r.thickness.value_or("-"), 11);
        const std::string beyond = in.limits ? r.beyond : r.difference.value_or("-");
        if (r.status == ReadingStatus::Unjudged) out << beyond << "\n";
        else out << Padded(beyond, 10) << gearmain::StatusText(r.status) << "\n";
    }
    out << "  " << Padded("Spread", 10) << in.spread << "\n";
    out << "  " << Padded("Verdict", 10)
        << (in.verdict == gearmain::Verdict::Accept   ? "ACCEPT"
            : in.verdict == gearmain::Verdict::Reject ? "REJECT"
                                                      : "none: a single value gives no limits")
        << "\n\n";
}

void WriteMeasuring(std::ostream& out, const Measuring& m) {
    const gearmain::MeasuringAidsTexts& t = m.texts;
    const std::string what = m.balls ? "Balls" : "Pins";
    std::vector<std::pair<std::string, std::string>> rows;
    if (m.aids.pins) {
        rows.emplace_back(what + " that work", t.pinSmallest + " to " + t.pinLargest);
        rows.emplace_back(what + " that stand proud", t.pinProudFrom.empty() ? "none" : "from " + t.pinProudFrom);
    } else {
        rows.emplace_back(what + " that work", "none");
    }
    if (m.aids.span) {
        rows.emplace_back("Teeth that may be spanned", t.spanFewest + " to " + t.spanMost);
        if (!t.spanContact.empty()) rows.emplace_back("Span contact diameter", t.spanContact);
    }
    if (!t.chordalAddendum.empty()) rows.emplace_back("Chordal addendum", t.chordalAddendum);
    size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    out << "Measuring aids\n";
    for (const auto& [caption, value] : rows) out << "  " << Padded(caption, width) << value << "\n";
    out << "\n";
}

}  // namespace

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
    if (run.inspection) WriteInspection(out, *run.inspection);
    if (run.measuring) WriteMeasuring(out, *run.measuring);
    for (const auto& m : run.messages)
        if (m.icon != MsgIcon::Critical) {
            std::string text = m.text;
            for (char& c : text)
                if (c == '\r') c = ' ';
            out << "note: " << text << "\n";
        }
}

void WriteJson(std::ostream& out, const GearRun& run) {
    JsonValue json = JsonValue::object();
    json["ok"] = run.ok;
    if (!run.ok) json["error"] = run.error;
    JsonValue& state = json["state"] = JsonValue::object();
    for (const auto& [name, value] : run.stateNumbers) state[name] = StateNumber(value);
    for (const auto& [name, value] : run.stateTexts) state[name] = value;
    JsonValue& messages = json["messages"] = JsonValue::array();
    for (const auto& m : run.messages) {
        JsonValue message = JsonValue::object();
        message["text"] = m.text;
        message["icon"] = IconName(m.icon);
        messages.push_back(std::move(message));
    }
    JsonValue& pages = json["pages"] = JsonValue::object();
    for (const auto& page : run.pages) {
        JsonValue rows = JsonValue::array();
        for (const auto& row : page.rows) {
            if (!row.visible) continue;
            JsonValue cells = JsonValue::array({row.caption, row.value});
            if (!row.transverse.empty()) cells.push_back(row.transverse);
            rows.push_back(std::move(cells));
        }
        JsonValue& entry = pages[FormName(page.form)] = JsonValue::object();
        entry["caption"] = page.caption;
        entry["title"] = page.title;
        entry["rows"] = std::move(rows);
    }
    if (!run.sheet.empty()) json["sheet"] = run.sheet;
    if (run.inspection) json["inspection"] = InspectionJson(*run.inspection, run.partNumber);
    if (run.measuring) json["measuring"] = MeasuringJson(*run.measuring);
    std::string text;
    AppendLaidOut(text, json, 0);
    text += "\n";
    out << text;
}

std::vector<std::string> CsvHeader(ExtraColumns extra) {
    std::vector<std::string> header = {"row", "ok", "message"};
    for (const Column& column : kResultColumns) header.push_back(column.name);
    if (extra.inspection) header.insert(header.end(), {"spread", "verdict"});
    if (extra.measuring)
        header.insert(header.end(), {"pin_smallest", "pin_largest", "pin_proud_from", "span_fewest", "span_most"});
    return header;
}

namespace {

// The cells of the extra columns of a run, in their order.
template <typename Cell>
void ExtraCells(const GearRun& run, ExtraColumns extra, const Cell& cell) {
    const gearmain::Inspection* in = run.ok && run.inspection ? &*run.inspection : nullptr;
    if (extra.inspection) {
        cell(in ? std::string_view(in->spread) : std::string_view());
        cell(in ? std::string_view(gearmain::VerdictText(in->verdict)) : std::string_view());
    }
    if (extra.measuring) {
        const gearmain::MeasuringAidsTexts* t = run.ok && run.measuring ? &run.measuring->texts : nullptr;
        for (const std::string gearmain::MeasuringAidsTexts::*text :
             {&gearmain::MeasuringAidsTexts::pinSmallest, &gearmain::MeasuringAidsTexts::pinLargest,
              &gearmain::MeasuringAidsTexts::pinProudFrom, &gearmain::MeasuringAidsTexts::spanFewest,
              &gearmain::MeasuringAidsTexts::spanMost})
            cell(t ? std::string_view(t->*text) : std::string_view());
    }
}

// The characters that make a cell quoted: a comma, a quote, a line end.
constexpr auto kQuoted = [] {
    std::array<bool, 256> quoted{};
    for (unsigned char c : {',', '"', '\r', '\n'}) quoted[c] = true;
    return quoted;
}();

// The room a cell may take: every character a doubled quote, and the quotes
// around it.
size_t CellRoom(std::string_view cell) { return 2 * cell.size() + 2; }

// Whether a cell must be quoted. Every character that makes it so lies below
// '-', as no digit, point or minus sign does: the cell is looked at eight (or
// four) characters at a time for one below '-' first (the last block
// overlapping the one before), and character by character only when there is
// one.
bool MustQuote(std::string_view cell) {
    constexpr uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    auto anyBelow = [](uint64_t w) { return ((w - kOnes * '-') & ~w & kHighs) != 0; };
    const char* const s = cell.data();
    const size_t n = cell.size();
    auto exact = [&] {
        for (size_t i = 0; i < n; ++i)
            if (kQuoted[static_cast<unsigned char>(s[i])]) return true;
        return false;
    };
    if (n >= 8) {
        uint64_t w;
        size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::memcpy(&w, s + i, 8);
            if (anyBelow(w)) return exact();
        }
        if (i == n) return false;
        std::memcpy(&w, s + n - 8, 8);
        return anyBelow(w) && exact();
    }
    if (n >= 4) {
        uint32_t a, b;
        std::memcpy(&a, s, 4);
        std::memcpy(&b, s + n - 4, 4);
        return anyBelow(a | static_cast<uint64_t>(b) << 32) && exact();
    }
    return exact();
}

// Writes a cell at p, quoted when it must be; returns where it ends.
char* PutCell(char* p, std::string_view cell) {
    if (!MustQuote(cell)) {
        const size_t n = cell.size();
        if (n >= 4 && n <= 16) {
            // Most cells are numbers of 4 to 16 characters.
            gearmain::CopyShort(p, cell.data(), n);
        } else if (n < 4) {
            for (size_t i = 0; i < n; ++i) p[i] = cell[i];
        } else {
            std::memcpy(p, cell.data(), n);
        }
        return p + n;
    }
    *p++ = '"';
    for (char ch : cell) {
        if (ch == '"') *p++ = '"';
        *p++ = ch;
    }
    *p++ = '"';
    return p;
}

}  // namespace

void AppendCsvRow(std::string& line, size_t rowNumber, const GearRun& run, ExtraColumns extra) {
    static thread_local ResultCells cells;
    PickColumns(run, cells);
    // The row number, ok and the message, then the result columns, written
    // into room made for them at once.
    constexpr size_t kNumberRoom = 24;
    size_t room = kNumberRoom + 5 + (run.ok ? 0 : CellRoom(run.error));
    for (const std::string* value : cells.values) room += 1 + (value ? CellRoom(*value) : 0);
    // The room is this thread's, kept from row to row: only a row longer
    // than any before makes more (and fills it).
    static thread_local std::string scratch;
    if (scratch.size() < room) scratch.resize(room);
    char* const begin = scratch.data();
    char* p = std::to_chars(begin, begin + kNumberRoom, rowNumber).ptr;
    std::memcpy(p, run.ok ? ",1," : ",0,", 3);
    p += 3;
    if (!run.ok) p = PutCell(p, run.error);
    for (const std::string* value : cells.values) {
        *p++ = ',';
        if (value) p = PutCell(p, *value);
    }
    if (!extra.inspection && !extra.measuring) {
        *p++ = '\n';
        line.append(begin, p);
        return;
    }
    line.append(begin, p);
    ExtraCells(run, extra, [&](std::string_view cell) {
        line.push_back(',');
        AppendCsvCell(line, cell);
    });
    line.push_back('\n');
}

void AppendCsvCell(std::string& line, std::string_view cell) {
    const size_t start = line.size();
    line.resize(start + CellRoom(cell));
    char* const end = PutCell(line.data() + start, cell);
    line.resize(static_cast<size_t>(end - line.data()));
}

void AppendCsvLine(std::string& line, const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) line.push_back(',');
        AppendCsvCell(line, cells[i]);
    }
    line.push_back('\n');
}

void WriteCsvLine(std::ostream& out, const std::vector<std::string>& cells) {
    std::string line;
    AppendCsvLine(line, cells);
    out << line;
}

}  // namespace involvo::cli
