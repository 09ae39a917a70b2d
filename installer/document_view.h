// Showing an item's document straight out of its archive.
#pragma once
#include <windows.h>
#include "installer_context.h"

namespace installer {

// mode 1: the item's archive; mode 2: the archive of key lzh<archiveNumber>.
// name: the document, or null for the section's LzhView. False after a message.
bool showDocument(HWND owner, InstallerContext& ctx, const char* section, int mode, int archiveNumber,
                  const char* name);

}  // namespace installer
