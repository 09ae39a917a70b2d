// The program an INSTALLER value starts, worked out from the value alone (and
// whether files exist), so that the disc checker names the same program.
#pragma once
#include <string>

namespace installer {

// The program an INSTALLER value names and its parameters.
struct InstallerCommand {
    std::string program;  // relative to the script folder, or a full path
    std::string parameters;
};
// value: the INSTALLER value (may be empty); sourceBase: script folder plus
// source folder; exists answers whether a file is there.
InstallerCommand installerCommand(const char* value, const char* section, const std::string& sourceBase,
                                  bool (*exists)(const char* path));

}  // namespace installer
