#pragma once
// Tables the calendar computes once per year and keeps for the rest of the run.

#include <map>
#include <memory>
#include <mutex>

namespace daywick {

/// A year's table, built at the first call for that year; safe from any thread. A table stays where it was
/// built, so a reference to it lasts as long as the cache.
template <typename Table>
class YearCache {
public:
    using Build = Table (*)(int year);
    explicit YearCache(Build build) : build_(build) {}

    const Table& get(int year) {
        // Building under the lock makes a second caller of the same year wait for the first one's table
        // instead of computing it again.
        const std::lock_guard lock(mutex_);
        std::unique_ptr<const Table>& table = tables_[year];
        if (!table) table = std::make_unique<const Table>(build_(year));
        return *table;
    }

private:
    Build build_;
    std::mutex mutex_;
    std::map<int, std::unique_ptr<const Table>> tables_;
};

}  // namespace daywick
