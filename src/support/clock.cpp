#include "support/clock.h"

#include <ctime>

namespace support {

CalendarTime SystemClock::now() const {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return CalendarTime{local.tm_year + 1900, local.tm_mon + 1,
                        local.tm_mday,        local.tm_hour,
                        local.tm_min,         local.tm_sec < 60 ? local.tm_sec : 59};
}

} // namespace support
