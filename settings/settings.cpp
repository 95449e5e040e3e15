#include "settings/settings.h"

#include "engine/param_table.h"
#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "settings/file_lock.h"
#include "settings/profile_file.h"

#include <cstring>
#include <string_view>

namespace tarsel {

namespace {

// A stored double is read into a 20-byte buffer: 19 characters at most.
constexpr std::size_t EntryBufferSize = 20;
// The face name field: 31 characters and the terminator.
constexpr std::size_t FaceNameSize = sizeof(LogFont::lfFaceName);

constexpr const char* SaveFailedText = "Error saving user .INI file";
constexpr const char* NotReadText = "Settings file not read, defaults used: ";

// The integer fields of a font record, in the order they are read.
struct FontIntField {
    const char* key;
    std::int32_t LogFont::*wide;   // 32-bit field, or nullptr
    std::uint8_t LogFont::*narrow; // one-byte field, or nullptr
};
constexpr FontIntField FontIntFields[] = {
    {"lfWidth", &LogFont::lfWidth, nullptr},
    {"lfHeight", &LogFont::lfHeight, nullptr},
    {"lfEscapement", &LogFont::lfEscapement, nullptr},
    {"lfOrientation", &LogFont::lfOrientation, nullptr},
    {"lfWeight", &LogFont::lfWeight, nullptr},
    {"lfItalic", nullptr, &LogFont::lfItalic},
    {"lfUnderline", nullptr, &LogFont::lfUnderline},
    {"lfStrikeOut", nullptr, &LogFont::lfStrikeOut},
    {"lfCharSet", nullptr, &LogFont::lfCharSet},
    {"lfOutPrecision", nullptr, &LogFont::lfOutPrecision},
    {"lfClipPrecision", nullptr, &LogFont::lfClipPrecision},
    {"lfQuality", nullptr, &LogFont::lfQuality},
    {"lfPitchAndFamily", nullptr, &LogFont::lfPitchAndFamily},
};

std::string faceName(const LogFont& font) {
    return std::string(font.lfFaceName, ::strnlen(font.lfFaceName, FaceNameSize));
}

// The face name as it reads back: blanks at its end would be lost on reading.
std::string storedFaceName(const LogFont& font) {
    std::string face = faceName(font);
    face.erase(face.find_last_not_of(" \t\r\n\v\f") + 1);
    return face;
}

// Reads one font section into record; a missing key takes its field of defaults.
void readFont(const ProfileFile& file, std::string_view section, LogFont& record,
              const LogFont& defaults) {
    for (const FontIntField& field : FontIntFields) {
        if (field.wide != nullptr) {
            record.*field.wide = file.getInt(section, field.key, defaults.*field.wide);
        } else {
            // A one-byte field keeps the low 8 bits of what is stored.
            const std::int32_t value = file.getInt(section, field.key, defaults.*field.narrow);
            record.*field.narrow = static_cast<std::uint8_t>(value & 0xFF);
        }
    }
    const std::string face =
        file.getString(section, "lfFaceName", faceName(defaults), FaceNameSize);
    setFaceName(record, face.c_str());
}

// One stored double: the default goes through its six-digit text like a stored
// value, the bounds are set here, and a rejected value warns and leaves the
// default.
void readDoubleSetting(const ProfileFile& file, WarningSink& warnings, RangedValue& target,
                       double def, double lo, double hi, std::string_view key) {
    std::string buffer = formatLeft19(def).substr(0, EntryBufferSize - 1);
    buffer = file.getString(ShortName, key, buffer, EntryBufferSize);
    target.lo = lo;
    target.hi = hi;
    const EntryOutcome outcome = ParseDoubleEntry(buffer, target, def);
    if (!outcome.stored) {
        Warning warning = entryWarning(outcome.message);
        warning.key = key;
        warnings.warn(warning);
    }
}

void readTableSetting(const ProfileFile& file, WarningSink& warnings, LinkParams& params,
                      int field) {
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(field)];
    readDoubleSetting(file, warnings, *paramForField(params, field), info.defaultValue, info.lo,
                      info.hi, info.key);
}

void readHalfRangeSetting(const ProfileFile& file, WarningSink& warnings, LinkParams& params,
                          int field) {
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(field)];
    readDoubleSetting(file, warnings, *paramForField(params, field), params.Range.value * 0.5, 0.0,
                      DblMax, info.key);
}

int saveParameters(const std::string& path, const LinkParams& params, WarningSink& warnings) {
    const std::string error =
        updateProfile(path, [&](ProfileFile& file) { storeParameters(file, params); });
    if (!error.empty()) {
        warnings.warn(Warning{std::string(SaveFailedText) + "\n" + error, "Warning",
                              WarningIcon::Information});
    }
    return 0;
}

void SettingsWarning(WarningSink& warnings, std::string_view message, std::string_view key) {
    warnings.warn(Warning{std::string(message) + "=" + std::string(key), "Warning",
                          WarningIcon::Information});
}

int saveFont(const std::string& path, const LogFont& font, const std::string& section,
             WarningSink& warnings) {
    const std::string error =
        updateProfile(path, [&](ProfileFile& file) { storeFont(file, font, section); });
    if (lockHeldByOther(error)) {
        // Nothing is wrong with the keys: the file was held by another process.
        warnings.warn(Warning{std::string(SaveFailedText) + "\n" + error, "Warning",
                              WarningIcon::Information});
    } else if (!error.empty()) {
        // All keys go in one save, so none of them was written: the face name
        // first, then the integers in the order lfWidth, lfHeight, ...
        const std::string text = std::string(SaveFailedText) + ", record";
        SettingsWarning(warnings, text, "lfFaceName");
        for (const FontIntField& field : FontIntFields) {
            SettingsWarning(warnings, text, field.key);
        }
    }
    return 0;
}

} // namespace

int LoadSettings(const std::string& path, LinkParams& params, FontRecords& fonts,
                 WarningSink& warnings) {
    std::string error;
    const ProfileFile file = ProfileFile::read(path, &error);
    if (!error.empty()) {
        // Every value then takes its default; the save refuses the file too.
        warnings.warn(
            Warning{std::string(NotReadText) + error, "Warning", WarningIcon::Information});
    }
    loadSettingsFrom(file, params, fonts, warnings);
    return 0;
}

void loadSettingsFrom(const ProfileFile& file, LinkParams& params, FontRecords& fonts,
                      WarningSink& warnings) {
    const FontRecords defaults;
    readFont(file, "GraFont", fonts.GraFont, defaults.GraFont);
    readFont(file, "CtlFont", fonts.CtlFont, defaults.CtlFont);
    readFont(file, "TextFont", fonts.TextFont, defaults.TextFont);
    const LogFont edit = fonts.lfEd; // the entry fields keep what is not stored
    readFont(file, "lfEd", fonts.lfEd, edit);

    for (int field : {FieldFcent, FieldPt, FieldGt, FieldGr, FieldNf, FieldBw, FieldMf, FieldBl,
                      FieldTemp, FieldSn, FieldIpInt, FieldRange, FieldPropLaw}) {
        readTableSetting(file, warnings, params, field);
    }
    // Integers are stored as read, without any check.
    params.XColWid.value = file.getInt(ShortName, "XColWid", 13);
    params.XColWid.lo = 10;
    params.XColWid.hi = 20;
    readHalfRangeSetting(file, warnings, params, FieldX12s);
    readHalfRangeSetting(file, warnings, params, FieldX23s);
    readTableSetting(file, warnings, params, FieldRhill);
    params.nHillType = file.getInt(ShortName, "nHillType", 0);
    for (int field : {FieldY01s, FieldY02s, FieldY03s}) {
        readTableSetting(file, warnings, params, field);
    }
    params.bDiffract = file.getInt(ShortName, "bDiffract", 0);
}

void storeParameters(ProfileFile& file, const LinkParams& params) {
    LinkParams source = params; // intSetting gives writable access only
    for (const SettingsKey& key : settingsKeys()) {
        const std::string value = key.kind == KeyKind::Double
                                      ? formatLeft19(paramForField(source, key.field)->value)
                                      : formatLeft19(*intSetting(source, key.key));
        file.setString(ShortName, key.key, value);
    }
}

void storeFont(ProfileFile& file, const LogFont& font, std::string_view section) {
    file.setString(section, "lfFaceName", storedFaceName(font));
    for (const FontIntField& field : FontIntFields) {
        const int value = field.wide != nullptr ? font.*field.wide : font.*field.narrow;
        file.setString(section, field.key, formatInt(value));
    }
}

int SaveSettings(const std::string& path, int mode, const LinkParams& params, const LogFont* font,
                 const std::string& section, WarningSink& warnings) {
    if (mode == 0) {
        return saveParameters(path, params, warnings);
    }
    if (mode == 2 && font != nullptr && !section.empty()) {
        return saveFont(path, *font, section, warnings);
    }
    return 0;
}

} // namespace tarsel
