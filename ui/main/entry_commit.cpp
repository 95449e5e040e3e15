#include "ui/main/entry_commit.h"

#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "ui/common/app_state.h"
#include "ui/common/ui_services.h"
#include "ui/main/entry_layout.h"

#include <string>

namespace tarsel {

int entryFieldIndex(const EntryBoxes& boxes, const QLineEdit* box) {
    if (box == nullptr) {
        return -1;
    }
    for (int i = 0; i < FieldCount; ++i) {
        if (boxes[static_cast<std::size_t>(i)] == box) {
            return i;
        }
    }
    return -1;
}

int ShowDoubleText(QLineEdit* box, double value) {
    if (box != nullptr) {
        box->setText(QString::fromStdString(FormatDoubleEntry(value)));
    }
    return 0;
}

namespace {

QLineEdit* boxAt(const EntryBoxes& boxes, int index) {
    return boxes[static_cast<std::size_t>(index)].data();
}

void reportRejection(AppState& state, const std::string& message) {
    UiServices& services = state.services != nullptr ? *state.services : defaultUiServices();
    services.showWarning(state.mainWindow.data(), entryWarning(message));
}

} // namespace

int CommitField(AppState& state, const EntryBoxes& boxes, QLineEdit* box) {
    if (box == nullptr) {
        return 0;
    }
    const std::string text = box->text().left(EntryReadLength).toStdString();
    if (text.empty()) {
        return 1;
    }
    // The distances before this commit: a new range is split in their ratio.
    const double oldX12 = state.params.X12s.value;
    const double oldX23 = state.params.X23s.value;

    const int index = entryFieldIndex(boxes, box);
    RangedValue* param = paramForField(state.params, index);
    if (param == nullptr) {
        return 0;
    }
    const EntryOutcome outcome = ParseDoubleEntry(text, *param, param->value);
    if (!outcome.stored) {
        reportRejection(state, outcome.message);
        return 1;
    }

    // The nominal range is always the sum of the two obstruction distances;
    // a sum beyond the range's bounds is refused like a typed range.
    if (index == FieldX12s || index == FieldX23s) {
        const EntryOutcome range = KeepDerivedRangeInBounds(state.params, oldX12, oldX23);
        if (!range.stored) {
            reportRejection(state, range.message);
            return 1;
        }
        rangeFromDistances(state.params);
        ShowDoubleText(boxAt(boxes, FieldRange), state.params.Range.value);
    } else if (index == FieldRange) {
        rescaleDistancesToRange(state.params, oldX12, oldX23);
        ShowDoubleText(boxAt(boxes, FieldX12s), state.params.X12s.value);
        ShowDoubleText(boxAt(boxes, FieldX23s), state.params.X23s.value);
    }
    return 0;
}

int CommitAllFields(AppState& state, const EntryBoxes& boxes, QLineEdit* first) {
    int failed = 0;
    if (first != nullptr) {
        failed |= CommitField(state, boxes, first);
    }
    for (int i = 0; i < FieldCount; ++i) {
        QLineEdit* box = boxAt(boxes, i);
        if (box != nullptr && box != first) {
            failed |= CommitField(state, boxes, box);
        }
    }
    return failed != 0 ? 1 : 0;
}

void RefreshAllFields(const AppState& state, const EntryBoxes& boxes) {
    for (int i = 0; i < FieldCount; ++i) {
        const RangedValue* param = paramForField(state.params, i);
        if (param != nullptr) {
            ShowDoubleText(boxAt(boxes, i), param->value);
        }
    }
}

void RefreshTerrainFields(const AppState& state, const EntryBoxes& boxes) {
    for (int i : {FieldRange, FieldX12s, FieldX23s, FieldY01s, FieldY02s, FieldY03s}) {
        ShowDoubleText(boxAt(boxes, i), paramForField(state.params, i)->value);
    }
}

} // namespace tarsel
