#pragma once

#include <string>
#include <vector>

#include "FolderContents.h"
#include "RuntimeError.h"

// The names a listing shows, in its order.
inline std::vector<std::string> ShownNames(const std::vector<Runtime::FolderEntry>& entries) {
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

#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>

// While it lives, this thread is held to permission checks even as root: the
// capabilities that pass them are set aside. Unlike becoming another user,
// this keeps the way into a temporary folder only root may enter.
class PermissionsChecked {
public:
    PermissionsChecked() {
        ::syscall(SYS_capget, &header_, saved_.data());
        auto checked = saved_;
        checked[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
        ::syscall(SYS_capset, &header_, checked.data());
    }
    PermissionsChecked(const PermissionsChecked&) = delete;
    PermissionsChecked& operator=(const PermissionsChecked&) = delete;
    ~PermissionsChecked() { ::syscall(SYS_capset, &header_, saved_.data()); }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3> saved_{};
};
#endif
