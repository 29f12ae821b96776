#pragma once

namespace profile {

// The index of the first row of `table` for which `bad(row, index)` holds, or
// -1. The program's tables are checked at compile time with
// `static_assert(firstRow(...) == -1, "...")`: on a failure the compiler shows
// what the comparison reduced to, and so the number of the offending row.
template <class Table, class Predicate> constexpr int firstRow(const Table& table, Predicate bad)
{
    int index = 0;
    for (const auto& row : table) {
        if (bad(row, index))
            return index;
        ++index;
    }
    return -1;
}

// The first index from 0 to count - 1 for which `bad(index)` holds, or -1.
template <class Predicate> constexpr int firstIndex(int count, Predicate bad)
{
    for (int index = 0; index < count; ++index) {
        if (bad(index))
            return index;
    }
    return -1;
}

} // namespace profile
