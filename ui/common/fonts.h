#pragma once
// Font records and Qt fonts: conversion both ways, and the font dialog that
// saves a confirmed record to its settings section at once.

#include "settings/log_font.h"

#include <QFont>
#include <string>

class QWidget;

namespace tarsel {

struct AppState;

// lfHeight < 0: pixel size -lfHeight; > 0: cell height in pixels; 0: default
// size. lfWeight on Qt's 100-900 scale. A face this system lacks gives way to
// the family it stands for: well-known Windows faces by name ("Courier" a
// monospace face, "System" a sans one), others by the pitch and family bits,
// else fallbackFamily ("monospace", "sans-serif", "serif" or empty).
QFont fontFromLogFont(const LogFont& record, const QString& fallbackFamily = {});

// The font a font dialog opens on: the face, style and size really in use.
QFont dialogFont(const QFont& inUse);
// The record after a confirmed dialog that opened on offered: only what the
// user changed is taken from chosen, so an unchanged dialog keeps the record.
LogFont recordAfterDialog(const LogFont& record, const QFont& offered, const QFont& chosen);
// The record of a Qt font (face cut to 31 characters, height in pixels, negative).
LogFont logFontFromFont(const QFont& font);

// Runs the font dialog (state.services) on record; when confirmed, writes the
// record to its section of the settings file (mode 2) and returns true.
bool ChooseAndSaveFont(AppState& state, QWidget* owner, LogFont& record,
                       const std::string& section);

} // namespace tarsel
