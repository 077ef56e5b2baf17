#include "shell/SerialPorts.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <system_error>
#include <unistd.h>

namespace lc {

namespace {

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// "ttyUSB10" after "ttyUSB9": the trailing number compares as a number.
bool naturalLess(const std::string& a, const std::string& b) {
    auto split = [](const std::string& s) {
        size_t i = s.size();
        while (i > 0 && s[i - 1] >= '0' && s[i - 1] <= '9') --i;
        const std::string digits = s.substr(i);
        return std::make_pair(s.substr(0, i), digits.empty() ? -1L : std::stol(digits.substr(0, 9)));
    };
    return split(a) < split(b);
}

} // namespace

bool HasRealUart(const std::string& devicePath) {
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // A port we may not open (no dialout membership) cannot be asked for
        // its UART; most ttyS devices have none, so it is left out.
        return false;
    }
    serial_struct info{};
    const bool real = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return real;
}

std::vector<std::string> ListSerialPorts(const std::string& sysClassTty,
                                         const std::function<bool(const std::string&)>& isRealUart) {
    std::vector<std::string> usb, acm, builtIn;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(sysClassTty, ec)) {
        const std::string name = entry.path().filename().string();
        // Only ttys with a device behind them (virtual consoles and ptys have none).
        if (!std::filesystem::exists(entry.path() / "device", ec)) continue;
        const std::string dev = "/dev/" + name;
        if (startsWith(name, "ttyUSB")) usb.push_back(name);
        else if (startsWith(name, "ttyACM")) acm.push_back(name);
        else if (startsWith(name, "ttyS") && isRealUart && isRealUart(dev)) builtIn.push_back(name);
    }
    std::vector<std::string> out;
    for (auto* group : {&usb, &acm, &builtIn}) {
        std::sort(group->begin(), group->end(), naturalLess);
        for (const std::string& n : *group) out.push_back("/dev/" + n);
    }
    return out;
}

} // namespace lc
