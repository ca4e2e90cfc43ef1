#include "SortedEntries.h"

#include <algorithm>
#include <cstddef>

namespace Runtime {

std::vector<FolderEntry> SortedIgnoringCase(std::vector<FolderEntry> entries) {
    // The keys are made once and sorted beside an index, so the sort moves
    // small records and compares plain bytes.
    struct Keyed {
        std::string key;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) keyed.push_back({SortKeyIgnoringCase(entries[i].DisplayName), i});
    std::sort(keyed.begin(), keyed.end(), [&entries](const Keyed& a, const Keyed& b) {
        if (const int order = a.key.compare(b.key); order != 0) return order < 0;
        return entries[a.index].NativeName < entries[b.index].NativeName;
    });
    std::vector<FolderEntry> sorted;
    sorted.reserve(entries.size());
    for (const Keyed& k : keyed) sorted.push_back(std::move(entries[k.index]));
    return sorted;
}

}  // namespace Runtime
