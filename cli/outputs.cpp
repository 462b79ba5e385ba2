#include "cli/outputs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <ostream>

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

const char* IconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical: return "critical";
        case MsgIcon::Exclamation: return "exclamation";
        case MsgIcon::Information: return "information";
    }
    return "";
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
    ResultCells cells;
    PickColumns(run, cells);
    for (const std::string* value : cells.values) line.push_back(value ? *value : std::string());
    return line;
}

void AppendCsvRow(std::string& line, size_t rowNumber, const GearRun& run) {
    char number[24];
    const auto end = std::to_chars(number, number + sizeof number, rowNumber).ptr;
    line.append(number, end);
    line += run.ok ? ",1," : ",0,";
    if (!run.ok) AppendCsvCell(line, run.error);
    static thread_local ResultCells cells;
    PickColumns(run, cells);
    for (const std::string* value : cells.values) {
        line.push_back(',');
        if (value) AppendCsvCell(line, *value);
    }
    line.push_back('\n');
}

void AppendCsvCell(std::string& line, std::string_view cell) {
    // A comma, a quote or a line end makes a cell quoted; every one of them
    // comes before the digits, the point and the minus sign.
    bool plain = true;
    for (char c : cell)
        if (static_cast<unsigned char>(c) <= ',' && (c == ',' || c == '"' || c == '\r' || c == '\n')) {
            plain = false;
            break;
        }
    if (plain) {
        line.append(cell);
        return;
    }
    line.push_back('"');
    for (char ch : cell) {
        if (ch == '"') line.push_back('"');
        line.push_back(ch);
    }
    line.push_back('"');
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
