// A copy section from file list to closing dialog.
#pragma once
#include "installer_context.h"

namespace installer {

class FirstMessage;

// Carries the section out; false when a step failed or the user cancelled.
bool runCopySection(InstallerContext& ctx, FirstMessage* firstMessage);

}  // namespace installer
