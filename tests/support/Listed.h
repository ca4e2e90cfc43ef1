#pragma once

#include <string>
#include <vector>

#include "DirectoryListing.h"
#include "RuntimeError.h"

// The names a listing shows, in its order.
inline std::vector<std::string> ShownNames(const std::vector<Runtime::DirectoryEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(entry.DisplayName);
    return names;
}

// The error number call throws; 0 when it returns.
template <class Call>
int ErrorNumberOf(Call&& call) {
    try { call(); } catch (const Runtime::RuntimeError& error) { return error.Number; }
    return 0;
}
