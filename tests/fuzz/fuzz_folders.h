// The system folders a harness hands the installer's macro expander: five
// fuzzed strings, the fifth also answering every $INI( look-up.
#pragma once
#include <string>

#include "path_macros.h"

namespace fuzz {

class FolderSource : public installer::MacroSource {
public:
    std::string folders[5];
    std::string windowsFolder() const override { return folders[0]; }
    std::string systemFolder() const override { return folders[1]; }
    std::string programFilesFolder() const override { return folders[2]; }
    std::string tempFolder() const override { return folders[3]; }
    std::string documentsFolder() const override { return folders[4]; }
    std::string profileString(const std::string&, const std::string&, const std::string&) const override {
        return folders[4];
    }
};

}  // namespace fuzz
