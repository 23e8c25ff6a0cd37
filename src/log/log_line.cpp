#include "log/log_line.h"

#include "log/bounded_format.h"

namespace lumetra::log {

std::size_t FormatLogLine(wchar_t (&line)[kLogLineUnits], const LogTime& time,
                          unsigned long threadId, const wchar_t* text) {
    // Leave room for CR LF and the terminator, then end the line ourselves.
    constexpr std::size_t kBodyCapacity = kLogLineUnits - 2;
    FormatToBuffer(line, kBodyCapacity, L"[%04u-%02u-%02u %02u:%02u:%02u.%03u][tid:%lu] %ls",
                   unsigned{time.year}, unsigned{time.month}, unsigned{time.day},
                   unsigned{time.hour}, unsigned{time.minute}, unsigned{time.second},
                   unsigned{time.milliseconds}, threadId, text ? text : L"");
    std::size_t length = 0;
    while (line[length]) ++length;
    line[length++] = L'\r';
    line[length++] = L'\n';
    line[length] = L'\0';
    return length;
}

}  // namespace lumetra::log
