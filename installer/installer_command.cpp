#include "installer_command.h"
#include "path_text.h"
#include "sjis.h"
#include "text_format.h"

namespace installer {

InstallerCommand installerCommand(const char* value, const char* section, const std::string& sourceBase,
                                  bool (*exists)(const char* path)) {
    InstallerCommand c;
    std::string v = value ? value : "";
    size_t comma = v.find(',');
    std::string first = common::trimBlanks(v.substr(0, comma));
    if (comma != std::string::npos) {
        std::string rest = v.substr(comma + 1);
        c.parameters = common::trimBlanks(rest.substr(0, rest.find(',')));
    }
    if (first.empty() || common::equalsNoCase(first.c_str(), "$this")) {
        std::string exe = common::joinPath(sourceBase, std::string(section ? section : "") + ".EXE");
        std::string msi = common::joinPath(sourceBase, std::string(section ? section : "") + ".MSI");
        c.program = (exists && !exists(exe.c_str()) && exists(msi.c_str())) ? msi : exe;
    } else {
        c.program = common::joinPath(sourceBase, first);
    }
    return c;
}

}  // namespace installer
