#pragma once

#include <cstdint>

// How far the tournament has progressed; the tournament file stores the number.
enum TProgrammastatus : std::uint8_t {
    psGeen = 0,           // only a participant list
    psPoules = 1,         // pools drawn, pool play in progress
    psKnockout = 2,       // both brackets built from the pool results
    psDirectKnockout = 3, // both brackets built without pools
};
