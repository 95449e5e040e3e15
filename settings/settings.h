#pragma once
// Loading and saving the parameters and the four font records in Tarsel.ini.

#include "engine/link_params.h"
#include "entry/warning_sink.h"
#include "settings/log_font.h"

#include <string>
#include <string_view>

namespace tarsel {

class ProfileFile;

inline constexpr const char* ShortName = "Tarsel"; // section name and file base name

// Reads the whole file: the four font records, then the parameters, every
// double through the same parse and range check as typed input. Each rejected
// stored value reports one warning and leaves its default. A missing file,
// section or key means the default, silently; a file that exists but cannot be
// read (see ProfileFile::read) reports one warning naming it and the reason,
// and every value takes its default. Returns 0.
int LoadSettings(const std::string& path, LinkParams& params, FontRecords& fonts,
                 WarningSink& warnings);

// Mode 0: the 22 keys of the parameters section (font and section unused).
// Mode 2: the font record into the section of that name. Other modes write
// nothing. Failures are reported through warnings. Returns 0.
int SaveSettings(const std::string& path, int mode, const LinkParams& params, const LogFont* font,
                 const std::string& section, WarningSink& warnings);

// The same, on a file already in memory: LoadSettings reads the file and
// gives it to loadSettingsFrom; each save is one locked update of the file
// that applies storeParameters or storeFont.
void loadSettingsFrom(const ProfileFile& file, LinkParams& params, FontRecords& fonts,
                      WarningSink& warnings);
void storeParameters(ProfileFile& file, const LinkParams& params);
void storeFont(ProfileFile& file, const LogFont& font, std::string_view section);

} // namespace tarsel
