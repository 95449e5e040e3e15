#pragma once
// The edit boxes of the parameter dialogs: each keeps, for the whole run, the
// text it was last given or read from and the value it last showed, which is
// the fallback a rejected entry restores.

#include "engine/link_params.h"

#include <cstdint>
#include <string>

namespace tarsel {

class TableDialog;
class UiServices;

struct DoubleEntryItem {
    std::string buffer; // at most 19 characters
    double shown = 0.0;
};

struct IntEntryItem {
    std::string buffer;
    std::int32_t shown = 0;
};

// Characters read back from a box; the box itself accepts one more.
inline constexpr int EntryReadLength = 19;
inline constexpr int EntryBoxLength = 20;

// Formats value into the box (limited to 20 characters) and records it as shown. Returns 0.
int ShowDoubleItem(TableDialog& dialog, DoubleEntryItem& item, double value, int itemId);
int ShowIntItem(TableDialog& dialog, IntEntryItem& item, std::int32_t value, int itemId);

// Reads the box (at most 19 characters) and checks it into target, with the
// shown value as the fallback. A rejection is shown owned by the dialog.
// Returns 1 when stored, 0 when rejected.
int CheckDoubleItem(TableDialog& dialog, UiServices& services, DoubleEntryItem& item,
                    RangedValue& target, int itemId);
int CheckIntItem(TableDialog& dialog, UiServices& services, IntEntryItem& item, RangedInt& target,
                 int itemId);

} // namespace tarsel
