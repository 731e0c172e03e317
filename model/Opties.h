#pragma once

#include <QString>

// Where the knockout export starts drawing before the organiser chose
// otherwise. The options dialog, the knockout window and its export dialog
// all start from these, so an export is the same whichever window made it.
namespace Opties {

constexpr int StandaardBeginRij = 5;
constexpr int StandaardBeginKolom = 1;

} // namespace Opties
