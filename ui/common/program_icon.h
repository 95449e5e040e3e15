#pragma once
// The program's built-in resources (artwork, icon) and its icon, which every
// window shows.

#include <QIcon>

namespace tarsel {

// Registers the program's built-in resources (artwork, icon). Safe to call
// more than once.
void initTarselResources();

// The program's icon.
QIcon programIcon();

} // namespace tarsel
