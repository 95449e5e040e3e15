#include "ui/dialogs/dialog_entry_items.h"

#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "entry/warning_sink.h"
#include "ui/common/ui_services.h"
#include "ui/dialogs/dialog_table.h"

#include <QLineEdit>

namespace tarsel {

namespace {

void putText(TableDialog& dialog, int itemId, const std::string& text) {
    if (QLineEdit* box = dialog.edit(itemId)) {
        box->setMaxLength(EntryBoxLength);
        box->setText(QString::fromStdString(text));
    }
}

std::string readText(TableDialog& dialog, int itemId) {
    QLineEdit* box = dialog.edit(itemId);
    if (box == nullptr) {
        return {};
    }
    return box->text().left(EntryReadLength).toStdString();
}

// Reads the box into the item's buffer and parses it into target; a refused
// entry shows its warning and gives 0, a stored one 1.
template <class Item, class Target, class Parse>
int checkItem(TableDialog& dialog, UiServices& services, Item& item, Target& target, int itemId,
              Parse parse) {
    item.buffer = readText(dialog, itemId);
    const EntryOutcome outcome = parse(item.buffer, target, item.shown);
    if (!outcome.stored) {
        services.showWarning(&dialog, entryWarning(outcome.message));
        return 0;
    }
    return 1;
}

} // namespace

int ShowDoubleItem(TableDialog& dialog, DoubleEntryItem& item, double value, int itemId) {
    item.buffer = FormatDoubleEntry(value);
    item.shown = value;
    putText(dialog, itemId, item.buffer);
    return 0;
}

int ShowIntItem(TableDialog& dialog, IntEntryItem& item, std::int32_t value, int itemId) {
    item.buffer = FormatIntEntry(value);
    item.shown = value;
    putText(dialog, itemId, item.buffer);
    return 0;
}

int CheckDoubleItem(TableDialog& dialog, UiServices& services, DoubleEntryItem& item,
                    RangedValue& target, int itemId) {
    return checkItem(dialog, services, item, target, itemId, ParseDoubleEntry);
}

int CheckIntItem(TableDialog& dialog, UiServices& services, IntEntryItem& item, RangedInt& target,
                 int itemId) {
    return checkItem(dialog, services, item, target, itemId, ParseIntEntry);
}

} // namespace tarsel
