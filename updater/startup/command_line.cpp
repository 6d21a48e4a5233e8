#include "updater/startup/command_line.h"

#include <cctype>
#include <climits>

namespace {
long ReadHandleValue(const std::string& text, size_t at) {
    while (at < text.size() && text[at] == ' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + (text[at] - '0');
        // Handle values are 32-bit on every Windows; a longer number names no handle.
        if (value > static_cast<long long>(INT_MAX) + 1)
            return 0;
    }
    if (negative)
        value = -value;
    return value < INT_MIN || value > INT_MAX ? 0 : static_cast<long>(value);
}
}  // namespace

TaviskCommandLine ParseTaviskCommandLine(const std::string& arguments) {
    TaviskCommandLine line;
    const size_t hdl = arguments.find("-hdl");
    if (hdl != std::string::npos)
        line.launcherHandle = ReadHandleValue(arguments, hdl + 4);
    line.manual = arguments.find("-man") != std::string::npos;
    return line;
}
