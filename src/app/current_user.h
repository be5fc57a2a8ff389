#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace app {

// The ten permissions, in the order of their fields and of the user settings list.
enum class Permission {
    OpenTable,
    Checkout,
    Query,
    Delete,
    ExportOrders,
    ExportOrder,
    SetUsers,
    SetDiningTables,
    SetDishes,
    SetAnnouncement,
};
inline constexpr std::size_t kPermissionCount = 10;

// Who is logged in, as read at the login; it changes only at the next successful login.
struct CurrentUser {
    std::string name;
    int skin = 0;
    std::array<std::int64_t, kPermissionCount> permissions{};

    bool granted(Permission permission) const {
        return permissions[static_cast<std::size_t>(permission)] != 0;
    }
};

} // namespace app
