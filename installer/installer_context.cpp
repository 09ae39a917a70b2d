#include "installer_context.h"
#include "file_paths.h"

std::string InstallerContext::sourceBase() const {
    if (sourceFolder.empty() || sourceFolder == ".\\") return scriptFolder;
    return joinPath(scriptFolder, sourceFolder);
}
