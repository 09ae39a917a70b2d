#include "driver.h"

namespace e2e {

std::string winPath(const std::string& unixPath) {
    std::string out = "Z:";
    for (char c : unixPath) out += (c == '/') ? '\\' : c;
    return out;
}

std::string dist(const std::string& name) { return winPath(DIST_DIR) + "\\" + name; }

std::string source(const std::string& relative) {
    std::string out = winPath(SOURCE_DIR);
    if (!relative.empty()) out += "\\" + winPath(relative).substr(2);
    return out;
}

std::string helperProgram(const std::string& name) { return winPath(HELPER_DIR) + "\\" + name; }

}  // namespace e2e
