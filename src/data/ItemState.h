#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The answer state of one item of the current exam; it lives in memory only.
struct ItemState {
    std::array<std::uint8_t, 6> Selected{}; // choice a. to f. selected
    std::uint8_t Marked = 0;
    std::uint8_t Correct = 0;
    std::int32_t Section = 0; // 1 to 7, copied from Q_SECT

    bool anySelected() const
    {
        for (std::uint8_t flag : Selected) {
            if (flag)
                return true;
        }
        return false;
    }
};

// Element k - 1 belongs to item k, the record at record number k of the current exam table.
using ItemStates = std::vector<ItemState>;
