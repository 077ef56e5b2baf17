#pragma once
// The serial ports the adapter may be on: every USB serial adapter (ttyUSB*),
// every USB modem-class device (ttyACM*) and the built-in ports (ttyS*) that
// have a real UART behind them; a kernel lists many ttyS ports that have none,
// and probing each of those would take a scan step for nothing.
#include <functional>
#include <string>
#include <vector>

namespace lc {

// True when /dev/<name> is a ttyS port with a UART (TIOCGSERIAL reports a type).
bool HasRealUart(const std::string& devicePath);

// The device paths ("/dev/ttyUSB0" ...) found under `sysClassTty` (the folder
// of /sys/class/tty), USB ports first, each group in natural order ("ttyS2"
// before "ttyS10"). `isRealUart` decides for the ttyS ports.
std::vector<std::string> ListSerialPorts(const std::string& sysClassTty = "/sys/class/tty",
                                         const std::function<bool(const std::string&)>& isRealUart = HasRealUart);

} // namespace lc
