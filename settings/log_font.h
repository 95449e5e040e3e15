#pragma once
// A font record with the fields of the Win32 LOGFONT (ANSI form), as stored
// field by field in the settings file.

#include <cstdint>

namespace tarsel {

struct LogFont {
    std::int32_t lfHeight = -10;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 400;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {}; // at most 31 characters and the terminator
};

// The four persistent fonts.
struct FontRecords {
    LogFont GraFont;  // diagram labels, face "System"
    LogFont CtlFont;  // status pane, face "System"
    LogFont TextFont; // text window, face "Courier"
    LogFont lfEd;     // entry fields; filled from the system font before a load
    FontRecords();
};

// Sets the face name, cut to 31 characters.
void setFaceName(LogFont& font, const char* name);

} // namespace tarsel
