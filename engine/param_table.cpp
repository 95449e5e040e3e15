#include "engine/param_table.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace tarsel {

const std::array<FieldInfo, FieldCount>& fieldTable() {
    static const std::array<FieldInfo, FieldCount> table = {{
        {"Pt", "Tx power [dBW]", "transmit power", "dBW", -10.0, -300.0, 120.0, false},
        {"fcent", "Carrier frequency [Hz]", "carrier (design centre) frequency", "Hz", 2.45e9, 0.0,
         DblMax, false},
        {"Gt", "Tx antenna gain [dBi]", "transmit antenna gain", "dBi", 0.0, -300.0, 120.0, false},
        {"Gr", "Rx antenna gain [dBi]", "receive antenna gain", "dBi", 6.0, -300.0, 120.0, false},
        {"Range", "Nominal range [m]", "distance Tx to Rx", "m", 100.0, 0.0, DblMax, false},
        {"Nf", "Rx noise figure [dB]", "receiver noise figure", "dB", 6.0, 0.0, 120.0, false},
        {"Bw", "Signal bandwidth [Hz]", "receive bandwidth", "Hz", 1e6, 0.0, 1e12, false},
        {"Mf", "Fading margin [dB]", "allowance for fading", "dB", 20.0, 0.0, 120.0, false},
        {"Temp", "Temperature [K]", "receiver temperature", "K", 290.0, -273.15, 1e6, false},
        {"Sn", "Rx detector S/N [dB]", "signal-to-noise ratio the detector needs", "dB", 16.0,
         -120.0, 120.0, false},
        {"IpInt", "Input Intercept [dBm]", "receiver input intercept point", "dBm", 5.0, -120.0,
         120.0, false},
        {"X12s", "Tx to obstruction distance [m]", "horizontal distance Tx antenna to hill top",
         "m", 50.0, 0.0, DblMax, true},
        {"X23s", "Obstruction to Rx distance [m]", "horizontal distance hill top to Rx antenna",
         "m", 50.0, 0.0, DblMax, true},
        {"Rhill", "Obstruction radius [m]", "radius of the rounded hill top", "m", 0.05, 0.0,
         DblMax, false},
        {"y01s", "Tx antenna height [m]", "above the heights baseline", "m", 2.0, -DblMax, DblMax,
         false},
        {"y02s", "Obstruction height [m]", "hill top above the heights baseline", "m", 0.0, -DblMax,
         DblMax, false},
        {"y03s", "Rx ant. height [m]", "above the heights baseline", "m", 2.0, -DblMax, DblMax,
         false},
        {"PropLaw", "Propagation Law",
         "exponent n: received power falls as range to the power n (2 = free space)", "", 2.0,
         -20.0, 20.0, false},
        {"Bl", "Building loss [dB]", "extra loss of walls", "dB", 0.0, 0.0, 120.0, false},
    }};
    return table;
}

const std::array<SettingsKey, 22>& settingsKeys() {
    static const std::array<SettingsKey, 22> keys = {{
        {"fcent", KeyKind::Double, FieldFcent}, {"Pt", KeyKind::Double, FieldPt},
        {"Gt", KeyKind::Double, FieldGt},       {"Gr", KeyKind::Double, FieldGr},
        {"Nf", KeyKind::Double, FieldNf},       {"Bw", KeyKind::Double, FieldBw},
        {"Mf", KeyKind::Double, FieldMf},       {"Bl", KeyKind::Double, FieldBl},
        {"Temp", KeyKind::Double, FieldTemp},   {"Sn", KeyKind::Double, FieldSn},
        {"IpInt", KeyKind::Double, FieldIpInt}, {"Range", KeyKind::Double, FieldRange},
        {"XColWid", KeyKind::ColumnWidth, -1},  {"PropLaw", KeyKind::Double, FieldPropLaw},
        {"X12s", KeyKind::Double, FieldX12s},   {"X23s", KeyKind::Double, FieldX23s},
        {"Rhill", KeyKind::Double, FieldRhill}, {"nHillType", KeyKind::Int, -1},
        {"y01s", KeyKind::Double, FieldY01s},   {"y02s", KeyKind::Double, FieldY02s},
        {"y03s", KeyKind::Double, FieldY03s},   {"bDiffract", KeyKind::Int, -1},
    }};
    return keys;
}

KeyInfo keyInfo(const SettingsKey& key) {
    constexpr double IntLo = std::numeric_limits<std::int32_t>::min();
    constexpr double IntHi = std::numeric_limits<std::int32_t>::max();
    switch (key.kind) {
    case KeyKind::Double: {
        const FieldInfo& f = fieldTable()[static_cast<std::size_t>(key.field)];
        // The diagram label names its unit in brackets; the info names it apart.
        return {key.key, f.name(), f.unit, f.lo, f.hi, f.defaultValue, f.halfRangeDefault, false};
    }
    case KeyKind::ColumnWidth: {
        const RangedInt width = LinkParams().XColWid;
        return {key.key,          "Report column spacing", "characters", double(width.lo),
                double(width.hi), double(width.value),     false,        true};
    }
    case KeyKind::Int:
        break;
    }
    if (key.key == "nHillType") {
        return {key.key, "Hill type: 0 smooth, other rough", "", IntLo, IntHi, 0.0, false, true};
    }
    return {key.key, "Summaries with diffraction: 0 no, other yes", "", IntLo, IntHi, 0.0, false,
            true};
}

bool sameKeyLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

const SettingsKey* findSettingsKey(std::string_view key) {
    const auto sameKey = [key](const SettingsKey& entry) { return sameKeyLetters(entry.key, key); };
    const auto& keys = settingsKeys();
    const auto found = std::find_if(keys.begin(), keys.end(), sameKey);
    return found == keys.end() ? nullptr : &*found;
}

std::int32_t* intSetting(LinkParams& params, std::string_view key) {
    if (key == "XColWid") {
        return &params.XColWid.value;
    }
    if (key == "nHillType") {
        return &params.nHillType;
    }
    if (key == "bDiffract") {
        return &params.bDiffract;
    }
    return nullptr;
}

const std::int32_t* intSetting(const LinkParams& params, std::string_view key) {
    return intSetting(const_cast<LinkParams&>(params), key);
}

} // namespace tarsel
