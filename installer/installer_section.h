// An installer section: starts the external installer named by INSTALLER.
#pragma once
#include "installer_context.h"

namespace installer {

class FirstMessage;

// Starts the section's program; true when it was started.
bool runInstallerSection(InstallerContext& ctx, FirstMessage* firstMessage);

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
