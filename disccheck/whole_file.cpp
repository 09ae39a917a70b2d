#include <string>

#include "ini_lines.h"
#include "profile.h"

namespace disccheck {

std::string readWholeFile(const std::string& path) {
    const common::ProfileText* copy = common::ProfileFile::readOnce(path.c_str());
    return copy ? copy->bytes() : std::string();
}

}  // namespace disccheck
