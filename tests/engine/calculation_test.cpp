// CalculateGear and the check of a part against the worked cases of
// tests/data/engine/calculations.txt and inspections.txt: each case sets values
// of the gear state by name (and the feature, its value text, the pin box and
// the face width text as the screen hands them over), runs the calculation or
// checks readings, and checks values by name, the fault, the pin warnings, the
// cautions and what the check says. The files say how their numbers were worked out.
#include <gmock/gmock.h>

#include <cmath>
#include <map>

#include "data_file.h"
#include "driver_fixture.h"
#include "engine/inspection.h"

using namespace gearmain;

namespace {

struct Case {
    std::string name, file;
    std::vector<enginetest::Line> lines;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (const char* file : {"calculations.txt", "inspections.txt"})
        for (const enginetest::Line& line : enginetest::ReadTable(file)) {
            if (line.words[0] == "case") cases.push_back({line.words.at(1), file, {}});
            else cases.back().lines.push_back(line);
        }
    return cases;
}

std::vector<std::string> Split(const std::string& s, const std::string& by) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t at; (at = s.find(by, from)) != std::string::npos; from = at + by.size())
        parts.push_back(s.substr(from, at - from));
    parts.push_back(s.substr(from));
    return parts;
}

class Worked : public enginetest::DriverTest, public ::testing::WithParamInterface<Case> {
protected:
    GearMain::ValueRef Value(const std::string& name) {
        std::map<std::string, GearMain::ValueRef> values;
        gear.ForEachValue([&](const char* n, GearMain::ValueRef v) { values.emplace(n, v); });
        auto found = values.find(name);
        if (found == values.end()) throw std::runtime_error("no value " + name);
        return found->second;
    }

    void Set(const std::string& key, const std::string& v) {
        if (key == "feature") feature_ = v;
        else if (key == "value") Feature(feature_, v);
        else if (key == "pin") Pin(std::stof(v));
        else if (key == "gear") {  // mode,type,teeth,pitch,pressure angle[,helix]
            std::vector<std::string> g = Split(v, ",");
            g.resize(6, "0");
            Gear(static_cast<int16_t>(std::stoi(g[0])), static_cast<int16_t>(std::stoi(g[1])), std::stof(g[2]),
                 std::stof(g[3]), std::stof(g[4]), std::stof(g[5]));
        }
        else if (key == "face") FaceWidth(v);
        else std::visit([&](auto* p) { Assign(p, v); }, Value(key));
    }
    static void Assign(float* p, const std::string& v) { *p = std::stof(v); }
    static void Assign(double* p, const std::string& v) { *p = std::stod(v); }
    static void Assign(int16_t* p, const std::string& v) { *p = static_cast<int16_t>(std::stoi(v)); }
    static void Assign(std::string* p, const std::string& v) { *p = v; }

    // key=value: equal (numbers to 4 units in the last place); key~value: each
    // number of the text within tol (default 3e-6), as many numbers as given.
    void Expect(const std::string& key, bool near, const std::string& v, double tol) {
        SCOPED_TRACE(key);
        if (key == "fault") {
            EXPECT_EQ(report.fault ? report.fault->message : "none", v);
        } else if (key == "field") {
            ASSERT_TRUE(report.fault);
            EXPECT_EQ(enginetest::FieldName(report.fault->field), v);
        } else if (key == "warnings") {
            const std::vector<std::string> want = v.empty() ? std::vector<std::string>{} : Split(v, "|");
            ASSERT_EQ(report.pinWarnings.size(), want.size());
            for (size_t i = 0; i < want.size(); ++i) EXPECT_THAT(report.pinWarnings[i].text, ::testing::HasSubstr(want[i]));
        } else if (key == "cautions") {
            ASSERT_EQ(report.cautions.size(), v.empty() ? 0u : 1u);
            for (const Notice& c : report.cautions) EXPECT_THAT(c.text, ::testing::HasSubstr(v));
        } else if (key.starts_with("check.")) {
            Check(Checked(key.substr(6)), near, v, tol);
        } else if (key[0] == 'r' && std::isdigit(static_cast<unsigned char>(key[1]))) {
            Check(Checked(key), near, v, tol);
        } else {
            std::visit([&](auto* p) { Check(*p, near, v, tol); }, Value(key));
        }
    }
    static void Check(const std::string& got, bool near, const std::string& v, double tol) {
        if (!near) {
            EXPECT_EQ(got, v);
            return;
        }
        const std::vector<std::string> a = Split(got, " / "), b = Split(v, " / ");
        ASSERT_EQ(a.size(), b.size()) << got;
        for (size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(Val(a[i]), std::stod(b[i]), tol) << got;
    }
    template <typename Number>
    static void Check(Number got, bool near, const std::string& v, double tol) {
        if (near) {
            EXPECT_NEAR(got, std::stod(v), tol);
        } else if constexpr (std::is_same_v<Number, float>) {
            EXPECT_FLOAT_EQ(got, std::stof(v));
        } else {
            EXPECT_DOUBLE_EQ(static_cast<double>(got), std::stod(v));
        }
    }

    // What the check of a part says, as text: check.KEY, or rN.KEY of the Nth reading.
    std::string Checked(const std::string& key) const {
        const auto band = [](const std::optional<Band>& b) { return b ? b->low + " / " + b->high : "none"; };
        if (key == "measured") return check_.measured == Measured::Span ? "span" : "pins";
        if (key == "internal") return check_.internal ? "yes" : "no";
        if (key == "caption") return check_.measuredCaption;
        if (key == "thicknessCaption") return check_.thicknessCaption;
        if (key == "limits") return band(check_.limits);
        if (key == "thicknessLimits") return band(check_.thicknessLimits);
        if (key == "nominal") return check_.nominal;
        if (key == "thicknessNominal") return check_.thicknessNominal;
        if (key == "spread") return check_.spread;
        if (key == "verdict") return VerdictText(check_.verdict);
        if (key == "out") return std::to_string(check_.OutOfLimits());
        if (key == "readings") return std::to_string(check_.readings.size());
        const ReadingCheck& r = check_.readings.at(std::stoul(key.substr(1, key.find('.') - 1)) - 1);
        const std::string field = key.substr(key.find('.') + 1);
        if (field == "reading") return r.reading;
        if (field == "thickness") return r.thickness.value_or("none");
        if (field == "status") return StatusText(r.status);
        if (field == "beyond") return r.beyond;
        if (field == "difference") return r.difference.value_or("none");
        throw std::runtime_error("no value " + key);
    }

    std::string feature_;
    Inspection check_;
};

TEST_P(Worked, Case) {
    for (const enginetest::Line& line : GetParam().lines) {
        SCOPED_TRACE(GetParam().file + ":" + std::to_string(line.number));
        const std::string& verb = line.words[0];
        if (verb == "inspect") {  // inspect [entered=TEXT] READING...
            std::vector<double> readings;
            std::string entered;
            for (size_t i = 1; i < line.words.size(); ++i) {
                if (line.words[i].starts_with("entered=")) entered = line.words[i].substr(8);
                else readings.push_back(std::stod(line.words[i]));
            }
            check_ = InspectPart(gear, readings, entered);
            continue;
        }
        if (verb == "run") {
            Run();
            // What every run shows: the boxes as the screen needs them, and no text reading nan or inf.
            for (const Notice& w : report.pinWarnings) {
                EXPECT_TRUE(w.icon == MsgIcon::Exclamation && w.buttons == MsgButtons::OKCancel && w.focus == Field::Pin);
            }
            for (const Notice& c : report.cautions) {
                EXPECT_TRUE(c.icon == MsgIcon::Exclamation && c.buttons == MsgButtons::OK && c.focus == Field::None);
            }
            gear.ForEachValue([](const char* name, GearMain::ValueRef v) {
                if (auto* s = std::get_if<std::string*>(&v); s && std::string(name).ends_with("Text")) {
                    EXPECT_THAT(**s, ::testing::Not(::testing::ContainsRegex("nan|inf"))) << name;
                }
            });
            continue;
        }
        for (size_t i = 1; i < line.words.size(); ++i) {
            const std::string& w = line.words[i];
            const size_t op = w.find_first_of("=~");
            ASSERT_NE(op, std::string::npos) << w;
            const std::string key = w.substr(0, op);
            std::string value = w.substr(op + 1);
            double tol = 3e-6;
            if (const size_t t = value.find('~'); t != std::string::npos) {
                tol = std::stod(value.substr(t + 1));
                value.resize(t);
            }
            if (verb == "set") Set(key, value);
            else if (verb == "expect") Expect(key, w[op] == '~', value, tol);
            else FAIL() << "unknown verb " << verb;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Calculations, Worked, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
