// The folders the path macros stand for, taken from the running system.
#pragma once
#include "path_macros.h"

namespace installer {

class SystemFolders : public MacroSource {
public:
    std::string windowsFolder() const override;
    std::string systemFolder() const override;
    std::string programFilesFolder() const override;
    std::string tempFolder() const override;
    std::string documentsFolder() const override;
    std::string profileString(const std::string& file, const std::string& section,
                              const std::string& key) const override;
};

// A special shell folder (CSIDL number) as a path; empty when there is none.
std::string specialFolder(int csidl);

}  // namespace installer
