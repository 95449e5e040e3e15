#pragma once
// Static description of every stored parameter: its settings key, the label
// shown in the diagram, what it stands for, its unit, default and bounds.

#include "engine/link_params.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tarsel {

struct FieldInfo {
    std::string_view key;     // settings key, e.g. "fcent"
    std::string_view label;   // diagram label, e.g. "Carrier frequency [Hz]"
    std::string_view meaning; // what it stands for, e.g. "receive antenna gain"
    std::string_view unit;    // unit text, empty for none
    double defaultValue;      // X12s/X23s: see halfRangeDefault
    double lo;
    double hi;
    bool halfRangeDefault; // default is half of the Range in force

    // The label without the unit it names in brackets: "Carrier frequency".
    std::string_view name() const { return label.substr(0, label.find(" [")); }
};

// Indexed by FieldIndex.
const std::array<FieldInfo, FieldCount>& fieldTable();

// Label of the baseline marker in the diagram (no input of its own).
inline constexpr std::string_view HeightsBaselineLabel = "Heights baseline";

// The 22 keys of the settings section, in the order they are written.
enum class KeyKind { Double, Int, ColumnWidth };
struct SettingsKey {
    std::string_view key;
    KeyKind kind;
    int field; // FieldIndex for doubles, -1 otherwise
};
const std::array<SettingsKey, 22>& settingsKeys();

// One settings key as documented (help text, JSON units): its label without
// the unit, the unit, bounds and default. Integers carry their int32 bounds.
struct KeyInfo {
    std::string_view key;
    std::string_view label; // "Tx power", "Report column spacing"
    std::string_view unit;  // empty for a pure number or a switch
    double lo;
    double hi;
    double defaultValue;
    bool halfRangeDefault; // default is half of the Range in force
    bool integer;
};
KeyInfo keyInfo(const SettingsKey& key);

// The settings key spelled key in any letter case, or nullptr.
const SettingsKey* findSettingsKey(std::string_view key);

// a and b the same in any letter case, as keys are matched.
bool sameKeyLetters(std::string_view a, std::string_view b);

// Accessors by settings key for the integers.
std::int32_t* intSetting(LinkParams& params, std::string_view key);
const std::int32_t* intSetting(const LinkParams& params, std::string_view key);

} // namespace tarsel
