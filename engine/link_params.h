#pragma once
// The complete set of user inputs of one radio link: nineteen bounded numbers,
// the two switches and the report's column spacing.

#include <cstdint>

namespace tarsel {

// A double with its inclusive bounds.
struct RangedValue {
    double value = 0.0;
    double lo = 0.0;
    double hi = 0.0;
};

// A 32-bit integer with its inclusive bounds.
struct RangedInt {
    std::int32_t value = 0;
    std::int32_t lo = 0;
    std::int32_t hi = 0;
};

// Position of each numeric input in the diagram and in the commit order.
enum FieldIndex : int {
    FieldPt = 0,
    FieldFcent = 1,
    FieldGt = 2,
    FieldGr = 3,
    FieldRange = 4,
    FieldNf = 5,
    FieldBw = 6,
    FieldMf = 7,
    FieldTemp = 8,
    FieldSn = 9,
    FieldIpInt = 10,
    FieldX12s = 11,
    FieldX23s = 12,
    FieldRhill = 13,
    FieldY01s = 14,
    FieldY02s = 15,
    FieldY03s = 16,
    FieldPropLaw = 17,
    FieldBl = 18,
};
inline constexpr int FieldCount = 19;

// Largest finite double, the open upper bound of several inputs.
inline constexpr double DblMax = 1.7976931348623157e308;

struct LinkParams {
    RangedValue fcent;          // carrier frequency [Hz]
    RangedValue Pt;             // transmit power [dBW]
    RangedValue Gt;             // transmit antenna gain [dBi]
    RangedValue Gr;             // receive antenna gain [dBi]
    RangedValue Nf;             // receiver noise figure [dB]
    RangedValue Bw;             // signal bandwidth [Hz]
    RangedValue Mf;             // fading margin [dB]
    RangedValue Bl;             // building loss [dB]
    RangedValue Temp;           // receiver temperature [K]
    RangedValue Sn;             // detector signal-to-noise ratio [dB]
    RangedValue IpInt;          // receiver input intercept [dBm]
    RangedValue Range;          // nominal range Tx to Rx [m]
    RangedValue PropLaw;        // range-power law exponent
    RangedInt XColWid;          // report column spacing [characters]
    RangedValue X12s;           // horizontal distance Tx to obstruction [m]
    RangedValue X23s;           // horizontal distance obstruction to Rx [m]
    RangedValue Rhill;          // radius of the hill top [m]
    std::int32_t nHillType = 0; // 0 smooth hill, anything else rough hill
    RangedValue y01s;           // Tx antenna height above the baseline [m]
    RangedValue y02s;           // hill top height above the baseline [m]
    RangedValue y03s;           // Rx antenna height above the baseline [m]
    std::int32_t bDiffract = 0; // 0: summaries exclude diffraction loss

    // Every field at its default and bounds; X12s and X23s are half the range.
    LinkParams();
};

// The input at a diagram position, or nullptr for an index outside 0..18.
RangedValue* paramForField(LinkParams& params, int index);
const RangedValue* paramForField(const LinkParams& params, int index);

// Range accepted: rescale both distances in proportion to their old values
// oldX12 and oldX23 so that Range = X12s + X23s. A zero old sum splits the
// range equally.
void rescaleDistancesToRange(LinkParams& params, double oldX12, double oldX23);

// A distance accepted: the range becomes the sum of the two distances.
void rangeFromDistances(LinkParams& params);

// The field at index has just been accepted, the distances having been oldX12
// and oldX23 before: Range rescales the distances, a distance moves Range,
// any other field changes nothing else.
void coupleAcceptedField(LinkParams& params, int index, double oldX12, double oldX23);

} // namespace tarsel
