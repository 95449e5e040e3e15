#include "ui/common/fonts.h"

#include "settings/settings.h"
#include "ui/common/app_state.h"
#include "ui/common/locked_save.h"
#include "ui/common/ui_services.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <utility>

namespace tarsel {

namespace {

// Pitch (low two bits) and family (high four bits) of lfPitchAndFamily.
constexpr int FixedPitch = 1;
constexpr int FamilyRoman = 0x10;
constexpr int FamilySwiss = 0x20;
constexpr int FamilyModern = 0x30;
constexpr int FamilyScript = 0x40;
constexpr int FamilyDecorative = 0x50;

QFont::StyleHint styleHintOf(int pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case FamilyRoman:
        return QFont::Serif;
    case FamilySwiss:
        return QFont::SansSerif;
    case FamilyModern:
        return QFont::TypeWriter;
    case FamilyScript:
        return QFont::Cursive;
    case FamilyDecorative:
        return QFont::Decorative;
    default:
        return (pitchAndFamily & 3) == FixedPitch ? QFont::TypeWriter : QFont::AnyStyle;
    }
}

// Copies name into the record's face, cut to 31 bytes without splitting a
// UTF-8 sequence.
void copyFaceName(LogFont& record, const QString& name) {
    QByteArray bytes = name.toUtf8();
    int length = std::min<int>(static_cast<int>(bytes.size()), 31);
    while (length > 0 && length < bytes.size() &&
           (static_cast<unsigned char>(bytes[length]) & 0xC0) == 0x80) {
        --length;
    }
    std::fill(std::begin(record.lfFaceName), std::end(record.lfFaceName), '\0');
    std::copy_n(bytes.constData(), length, record.lfFaceName);
}

// The fontconfig family standing in for a face this system may not have: the
// well-known Windows faces by name, others by their pitch and family bits.
QString genericFamily(const QString& face, int pitchAndFamily) {
    static const std::pair<const char*, const char*> known[] = {
        {"Courier", "monospace"},       {"Courier New", "monospace"},
        {"Fixedsys", "monospace"},      {"Terminal", "monospace"},
        {"System", "sans-serif"},       {"MS Sans Serif", "sans-serif"},
        {"MS Shell Dlg", "sans-serif"}, {"MS Shell Dlg 2", "sans-serif"},
        {"Arial", "sans-serif"},        {"Times New Roman", "serif"},
    };
    for (const auto& [name, generic] : known) {
        if (face.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            return QLatin1String(generic);
        }
    }
    if ((pitchAndFamily & 3) == FixedPitch || (pitchAndFamily & 0xF0) == FamilyModern) {
        return QStringLiteral("monospace");
    }
    switch (pitchAndFamily & 0xF0) {
    case FamilySwiss:
        return QStringLiteral("sans-serif");
    case FamilyRoman:
        return QStringLiteral("serif");
    default:
        return {};
    }
}

QFont::StyleHint hintOfGeneric(const QString& generic) {
    if (generic == QLatin1String("monospace")) {
        return QFont::TypeWriter;
    }
    if (generic == QLatin1String("serif")) {
        return QFont::Serif;
    }
    return QFont::SansSerif;
}

} // namespace

QFont fontFromLogFont(const LogFont& record, const QString& fallbackFamily) {
    QFont font;
    const QString face = QString::fromUtf8(record.lfFaceName,
                                           static_cast<qsizetype>(strnlen(record.lfFaceName, 32)));
    QString generic = genericFamily(face, record.lfPitchAndFamily);
    if (generic.isEmpty()) {
        generic = fallbackFamily;
    }
    // The face when this system has it, else the family it stands for.
    QStringList families;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
        families << face;
    }
    if (!generic.isEmpty()) {
        families << QFontDatabase::systemFont(generic == QLatin1String("monospace")
                                                  ? QFontDatabase::FixedFont
                                                  : QFontDatabase::GeneralFont)
                        .family();
        font.setStyleHint(hintOfGeneric(generic));
    } else {
        font.setStyleHint(styleHintOf(record.lfPitchAndFamily));
    }
    if (families.isEmpty() && !face.isEmpty()) {
        families << face;
    }
    if (!families.isEmpty()) {
        font.setFamilies(families);
    }
    if ((record.lfPitchAndFamily & 3) == FixedPitch) {
        font.setFixedPitch(true);
    }
    // Negative: the character height; positive: the cell height. Qt sizes by
    // the em, which is close to the character height.
    if (record.lfHeight != 0) {
        const long long pixels = record.lfHeight < 0 ? -static_cast<long long>(record.lfHeight)
                                                     : static_cast<long long>(record.lfHeight);
        font.setPixelSize(static_cast<int>(std::clamp<long long>(pixels, 1, 1000)));
    }
    if (record.lfWeight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp(record.lfWeight, 1, 1000)));
    }
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    return font;
}

LogFont logFontFromFont(const QFont& font) {
    LogFont record; // width, escapement, orientation, character set, precisions, quality: 0
    const QFontInfo info(font);
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : info.pixelSize();
    record.lfHeight = -std::max(pixels, 1);
    record.lfWeight = font.weight();
    record.lfItalic = font.italic() ? 1 : 0;
    record.lfUnderline = font.underline() ? 1 : 0;
    record.lfStrikeOut = font.strikeOut() ? 1 : 0;
    record.lfPitchAndFamily = (font.fixedPitch() || info.fixedPitch()) ? FixedPitch : 0;
    copyFaceName(record, font.family());
    return record;
}

QFont dialogFont(const QFont& inUse) {
    const QFontInfo info(inUse);
    QFont shown(info.family());
    shown.setStyleName(info.styleName());
    shown.setPointSizeF(info.pointSizeF());
    shown.setWeight(static_cast<QFont::Weight>(info.weight()));
    shown.setItalic(info.italic());
    shown.setUnderline(inUse.underline());
    shown.setStrikeOut(inUse.strikeOut());
    return shown;
}

LogFont recordAfterDialog(const LogFont& record, const QFont& offered, const QFont& chosen) {
    const QFontInfo before(offered);
    const QFontInfo after(chosen);
    LogFont out = record;
    if (after.family() != before.family()) {
        copyFaceName(out, after.family());
        out.lfPitchAndFamily = after.fixedPitch() ? FixedPitch : 0;
    }
    // The dialog works in whole points: 10 px (7.5 pt) comes back as 8 pt.
    if (chosen.pointSize() != offered.pointSize()) {
        out.lfHeight = -std::max(after.pixelSize(), 1);
        out.lfWidth = 0;
    }
    if (chosen.weight() != offered.weight()) {
        out.lfWeight = chosen.weight();
    }
    if (chosen.italic() != offered.italic()) {
        out.lfItalic = chosen.italic() ? 1 : 0;
    }
    if (chosen.underline() != offered.underline()) {
        out.lfUnderline = chosen.underline() ? 1 : 0;
    }
    if (chosen.strikeOut() != offered.strikeOut()) {
        out.lfStrikeOut = chosen.strikeOut() ? 1 : 0;
    }
    return out;
}

bool ChooseAndSaveFont(AppState& state, QWidget* owner, LogFont& record,
                       const std::string& section) {
    if (state.services == nullptr) {
        return false;
    }
    if (!state.services->chooseFont(owner, record)) {
        return false; // record unchanged, nothing written
    }
    // Another process holding the file: Retry, or Cancel keeping the font
    // for this run.
    const std::string path = state.settingsPath.toStdString();
    saveSettingsUnlessLocked(
        *state.services, owner, path,
        [&](WarningSink& sink) { SaveSettings(path, 2, state.params, &record, section, sink); },
        false);
    return true;
}

} // namespace tarsel
