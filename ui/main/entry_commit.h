#pragma once
// Reading the diagram's entry fields back into the parameters and writing the
// parameters into them, with the coupling of the nominal range to the two
// obstruction distances.

#include "engine/link_params.h"

#include <QLineEdit>
#include <QPointer>
#include <array>

namespace tarsel {

struct AppState;

// The 19 boxes by FieldIndex; any may be empty.
using EntryBoxes = std::array<QPointer<QLineEdit>, FieldCount>;

// FieldIndex of box, or -1 when it is none of the boxes.
int entryFieldIndex(const EntryBoxes& boxes, const QLineEdit* box);

// Writes value into box with six significant digits ("%-19.6g", trailing
// blanks cut). Returns 0.
int ShowDoubleText(QLineEdit* box, double value);

// Reads at most 19 characters of box into its parameter. A rejected text is
// reported through state.services, owned by the main window, and leaves the
// parameter as it was. Returns 0 when stored or when box is not an entry
// field, 1 when the box was empty or its text was rejected.
int CommitField(AppState& state, const EntryBoxes& boxes, QLineEdit* box);

// Commits first (if any), then every other box in FieldIndex order, each once.
// Returns 1 if any commit failed, else 0.
int CommitAllFields(AppState& state, const EntryBoxes& boxes, QLineEdit* first);

// Writes every parameter into its box, in FieldIndex order.
void RefreshAllFields(const AppState& state, const EntryBoxes& boxes);
// Only the boxes a terrain derives (Range and X12s .. y03s); the others keep
// what may be being typed in them.
void RefreshTerrainFields(const AppState& state, const EntryBoxes& boxes);

} // namespace tarsel
