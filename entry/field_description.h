#pragma once
// How an input is named to the user: its name, what it stands for, its unit
// and the bounds it accepts, as the help page's table of inputs gives them,
// and the one-line text of a box's tooltip and accessible name.

#include <string>

namespace tarsel {

struct FieldDescription {
    std::string name;    // the diagram label without its unit, e.g. "Tx power"
    std::string meaning; // e.g. "transmit power"
    std::string unit;    // e.g. "dBW"; empty for none
    std::string lowest;  // "%g" with a three-digit exponent; "-DBL_MAX" for the
    std::string highest; // largest finite number's negative, "DBL_MAX" for it
};

// The description of a FieldIndex (0..18).
FieldDescription describeField(int field);

// "Tx power: transmit power, in dBW, accepted from -300 to 120".
std::string fieldToolTip(int field);

} // namespace tarsel
