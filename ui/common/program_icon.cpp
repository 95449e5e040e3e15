#include "ui/common/program_icon.h"

// Resources compiled into a static library are registered by name, from the
// global namespace.
static void registerTarselResources() {
    Q_INIT_RESOURCE(tarsel);
}

namespace tarsel {

void initTarselResources() {
    static const bool registered = [] {
        registerTarselResources();
        return true;
    }();
    (void)registered;
}

QIcon programIcon() {
    initTarselResources();
    return QIcon(QStringLiteral(":/qelicon.svg"));
}

} // namespace tarsel
