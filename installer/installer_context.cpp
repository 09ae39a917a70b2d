#include "installer_context.h"
#include "path_text.h"

namespace installer {

std::string InstallerContext::sourceBase() const {
    if (sourceFolder.empty() || sourceFolder == ".\\") return scriptFolder;
    return common::joinPath(scriptFolder, sourceFolder);
}

}  // namespace installer
