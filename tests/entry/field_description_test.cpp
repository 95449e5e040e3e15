#include "entry/field_description.h"

#include "engine/link_params.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace tarsel {
namespace {

struct TipCase {
    int field;
    const char* expected;
};

TEST(FieldToolTip, NamesQuantityUnitAndAcceptedRange) {
    const TipCase cases[] = {
        {FieldPt, "Tx power: transmit power, in dBW, accepted from -300 to 120"},
        {FieldBw, "Signal bandwidth: receive bandwidth, in Hz, accepted from 0 to 1e+012"},
        {FieldY02s, "Obstruction height: hill top above the heights baseline, in m, accepted "
                    "from -DBL_MAX to DBL_MAX"},
        {FieldPropLaw, "Propagation Law: exponent n: received power falls as range to the power n "
                       "(2 = free space), no unit, accepted from -20 to 20"},
    };
    for (const TipCase& c : cases) {
        EXPECT_EQ(fieldToolTip(c.field), c.expected);
    }
}

// The help page's table of inputs: Box, Meaning, Unit, Default, Lowest, Highest.
std::map<std::string, std::vector<std::string>> helpInputRows() {
    std::ifstream file(TARSEL_TEST_DATA_DIR "/../../resources/Tarsel.html");
    std::stringstream text;
    text << file.rdbuf();
    const std::string html = text.str();
    const std::regex row("<tr><td>([^<]*)</td><td>([^<]*)</td><td>([^<]*)</td><td>([^<]*)</td>"
                         "<td>([^<]*)</td><td>([^<]*)</td></tr>");
    std::map<std::string, std::vector<std::string>> rows;
    for (std::sregex_iterator it(html.begin(), html.end(), row), end; it != end; ++it) {
        rows[(*it)[1]] = {(*it)[2], (*it)[3], (*it)[5], (*it)[6]};
    }
    return rows;
}

TEST(FieldDescription, AgreesWithTheHelpPagesTableOfInputs) {
    const auto rows = helpInputRows();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(FieldCount));
    for (int field = 0; field < FieldCount; ++field) {
        const FieldDescription d = describeField(field);
        const auto found = rows.find(d.name);
        ASSERT_NE(found, rows.end()) << d.name;
        const std::vector<std::string>& cells = found->second;
        EXPECT_EQ(cells[0], d.meaning) << d.name;
        EXPECT_EQ(cells[1], d.unit.empty() ? "&mdash;" : d.unit) << d.name;
        EXPECT_EQ(cells[2], d.lowest) << d.name;
        EXPECT_EQ(cells[3], d.highest) << d.name;
    }
}

} // namespace
} // namespace tarsel
