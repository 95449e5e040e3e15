#include "ui/dialogs/dialog_params.h"

#include "engine/link_params.h"
#include "entry/number_parse.h"
#include "entry/warning_sink.h"
#include "ui/common/app_state.h"
#include "ui/common/command_event.h"
#include "ui/common/commands.h"
#include "ui/common/ui_services.h"
#include "ui/dialogs/dialog_entry_items.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <map>

namespace tarsel {

namespace {

struct BoxParam {
    int id;
    RangedValue LinkParams::*param;
};

// LOS parameters: filled and checked in the same order.
constexpr std::array<BoxParam, 13> LosBoxes{{
    {201, &LinkParams::fcent},
    {202, &LinkParams::Pt},
    {203, &LinkParams::Gt},
    {206, &LinkParams::Gr},
    {209, &LinkParams::Nf},
    {210, &LinkParams::Bw},
    {211, &LinkParams::Mf},
    {214, &LinkParams::Bl},
    {218, &LinkParams::PropLaw},
    {212, &LinkParams::Temp},
    {215, &LinkParams::Sn},
    {220, &LinkParams::IpInt},
    {216, &LinkParams::Range},
}};
constexpr int LosX12Box = 222; // derived distances
constexpr int LosX23Box = 225;

// Single diffraction: filled in one order, checked in another.
constexpr std::array<BoxParam, 6> SingDiffFillOrder{{
    {223, &LinkParams::Rhill},
    {249, &LinkParams::y01s},
    {242, &LinkParams::y02s},
    {244, &LinkParams::y03s},
    {246, &LinkParams::X12s},
    {248, &LinkParams::X23s},
}};
constexpr std::array<BoxParam, 6> SingDiffCheckOrder{{
    {246, &LinkParams::X12s},
    {248, &LinkParams::X23s},
    {223, &LinkParams::Rhill},
    {249, &LinkParams::y01s},
    {242, &LinkParams::y02s},
    {244, &LinkParams::y03s},
}};
constexpr int SingDiffRangeBox = 226; // derived range
constexpr int SmoothButton = 239;
constexpr int RoughButton = 240;

constexpr int ColumnWidthBox = 200;

// Texts and shown values of every box; they outlive the dialogs.
std::map<int, DoubleEntryItem>& losItems() {
    static std::map<int, DoubleEntryItem> items;
    return items;
}
std::map<int, DoubleEntryItem>& singDiffItems() {
    static std::map<int, DoubleEntryItem> items;
    return items;
}
IntEntryItem& columnWidthItem() {
    static IntEntryItem item;
    return item;
}

} // namespace

// ---------------------------------------------------------------- common

ParamDialog::ParamDialog(AppState& state, const QString& templateName, QWidget* owner)
    : TableDialog(templateName, owner), state_(state) {
    if (QPushButton* ok = button(1)) {
        connect(ok, &QPushButton::clicked, this, &ParamDialog::onOk);
    }
    if (QPushButton* cancel = button(2)) {
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    if (QPushButton* recalc = button(3)) {
        connect(recalc, &QPushButton::clicked, this, &ParamDialog::onRecalculate);
    }
}

void ParamDialog::watchEditableBoxes(std::initializer_list<int> ids) {
    for (int id : ids) {
        QLineEdit* box = edit(id);
        if (box == nullptr) {
            continue;
        }
        connect(box, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (QPushButton* ok = button(1)) {
                ok->setEnabled(!text.isEmpty());
            }
        });
    }
}

UiServices& ParamDialog::services() const {
    return state_.services != nullptr ? *state_.services : defaultUiServices();
}

void ParamDialog::onOk() {
    if (!checkBoxes()) {
        return;
    }
    showDerived();
    done(1);
}

void ParamDialog::onRecalculate() {
    if (!checkBoxes()) {
        return;
    }
    showDerived();
    state_.bFieldsRefreshed = false;
    postCommand(state_.mainWindow, IDM_RECALC_ALL);
}

// ---------------------------------------------------------------- LOS

LosParamsDialog::LosParamsDialog(AppState& state, QWidget* owner)
    : ParamDialog(state, QStringLiteral("LOSParams"), owner) {
    auto& items = losItems();
    for (const BoxParam& box : LosBoxes) {
        ShowDoubleItem(*this, items[box.id], (state_.params.*box.param).value, box.id);
    }
    setItemText(250, QStringLiteral("X12"));
    setItemText(251, QStringLiteral("X23"));
    ShowDoubleItem(*this, items[LosX12Box], state_.params.X12s.value, LosX12Box);
    ShowDoubleItem(*this, items[LosX23Box], state_.params.X23s.value, LosX23Box);
    watchEditableBoxes({201, 202, 203, 206, 209, 210, 211, 212, 214, 215, 216, 218, 220});
}

bool LosParamsDialog::checkBoxes() {
    auto& items = losItems();
    for (const BoxParam& box : LosBoxes) {
        if (CheckDoubleItem(*this, services(), items[box.id], state_.params.*box.param, box.id) ==
            0) {
            return false;
        }
    }
    return true;
}

void LosParamsDialog::showDerived() {
    auto& items = losItems();
    // The new range is split in the ratio of the distances as shown; with
    // both shown as 0 the obstruction goes halfway.
    const double b = items[LosX12Box].shown;
    const double a = items[LosX23Box].shown;
    rescaleDistancesToRange(state_.params, b, a);
    ShowDoubleItem(*this, items[LosX12Box], state_.params.X12s.value, LosX12Box);
    ShowDoubleItem(*this, items[LosX23Box], state_.params.X23s.value, LosX23Box);
}

// ---------------------------------------------------------------- single diffraction

SingDiffParamsDialog::SingDiffParamsDialog(AppState& state, QWidget* owner)
    : ParamDialog(state, QStringLiteral("SingDiffParams"), owner) {
    auto& items = singDiffItems();
    for (const BoxParam& box : SingDiffFillOrder) {
        ShowDoubleItem(*this, items[box.id], (state_.params.*box.param).value, box.id);
    }
    ShowDoubleItem(*this, items[SingDiffRangeBox], state_.params.Range.value, SingDiffRangeBox);
    if (QRadioButton* checked = radio(state_.params.nHillType != 0 ? RoughButton : SmoothButton)) {
        checked->setChecked(true);
    }
    if (QRadioButton* smooth = radio(SmoothButton)) {
        connect(smooth, &QRadioButton::clicked, this, [this] { onHillType(0); });
    }
    if (QRadioButton* rough = radio(RoughButton)) {
        connect(rough, &QRadioButton::clicked, this, [this] { onHillType(1); });
    }
    watchEditableBoxes({223, 242, 244, 246, 248, 249});
}

void SingDiffParamsDialog::onHillType(int nHillType) {
    // Stored at once; Cancel does not undo it and nothing is recalculated.
    state_.params.nHillType = nHillType;
    if (QRadioButton* checked = radio(nHillType != 0 ? RoughButton : SmoothButton)) {
        checked->setChecked(true);
    }
}

bool SingDiffParamsDialog::checkBoxes() {
    auto& items = singDiffItems();
    const double oldX12 = state_.params.X12s.value;
    const double oldX23 = state_.params.X23s.value;
    for (const BoxParam& box : SingDiffCheckOrder) {
        if (CheckDoubleItem(*this, services(), items[box.id], state_.params.*box.param, box.id) ==
            0) {
            return false;
        }
    }
    // The range the distances make must lie within its bounds, or neither
    // distance is taken.
    const EntryOutcome range = KeepDerivedRangeInBounds(state_.params, oldX12, oldX23);
    if (!range.stored) {
        services().showWarning(this, entryWarning(range.message));
        return false;
    }
    return true;
}

void SingDiffParamsDialog::showDerived() {
    rangeFromDistances(state_.params);
    ShowDoubleItem(*this, singDiffItems()[SingDiffRangeBox], state_.params.Range.value,
                   SingDiffRangeBox);
}

// ---------------------------------------------------------------- report options

TextOptionsDialog::TextOptionsDialog(AppState& state, QWidget* owner)
    : ParamDialog(state, QStringLiteral("TextOptions"), owner) {
    ShowIntItem(*this, columnWidthItem(), state_.params.XColWid.value, ColumnWidthBox);
    watchEditableBoxes({ColumnWidthBox});
}

bool TextOptionsDialog::checkBoxes() {
    return CheckIntItem(*this, services(), columnWidthItem(), state_.params.XColWid,
                        ColumnWidthBox) != 0;
}

} // namespace tarsel
