// Message boxes of the native tools: there is no screen, so a box the shared
// readers would show is written to standard error (in the terminal's
// encoding) and answered with OK.
#include "message_box.h"

#include <cstdio>
#include <string>

#include "host_disc.h"

namespace common {

int showMessageBox(HWND, const char* text, const char* caption, UINT) {
    std::string line = std::string(caption ? caption : "") + ": " + (text ? text : "") + "\n";
    line = hostdisc::forTerminal(line);
    std::fwrite(line.data(), 1, line.size(), stderr);
    return 1;  // IDOK
}

}  // namespace common
