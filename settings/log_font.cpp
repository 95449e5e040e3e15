#include "settings/log_font.h"

#include <cstring>

namespace tarsel {

FontRecords::FontRecords() {
    setFaceName(GraFont, "System");
    setFaceName(CtlFont, "System");
    setFaceName(TextFont, "Courier");
}

void setFaceName(LogFont& font, const char* name) {
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    if (name != nullptr) {
        std::memcpy(font.lfFaceName, name, ::strnlen(name, sizeof font.lfFaceName - 1));
    }
}

} // namespace tarsel
