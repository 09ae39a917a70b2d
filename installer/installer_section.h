// An installer section: starts the external installer named by INSTALLER.
#pragma once
#include "installer_context.h"
#include "installer_command.h"

namespace installer {

class FirstMessage;

// Starts the section's program; true when it was started.
bool runInstallerSection(InstallerContext& ctx, FirstMessage* firstMessage);

}  // namespace installer
