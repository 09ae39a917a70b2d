#include "open_request.h"
#include "path_text.h"

namespace viewer {

std::string siblingCommandLine(const std::string& base, const OpenRequests& r, const std::string& item) {
    std::string line = base + "/! ";
    if (r.readOnly) line += "/r ";
    if (r.browse) line += "/b ";
    static const char* const kForced[] = {"", "/fs ", "/fu ", "/fe ", "/fj "};
    if (r.code >= 1 && r.code <= 4) line += kForced[r.code];
    bool quoted = !item.empty() && item[0] == '"';
    if (!quoted && item.find_first_of(" ;") != std::string::npos)
        line += "\"" + item + "\"";
    else
        line += item;
    return line;
}

std::string unquotedItem(const std::string& item) {
    if (item.empty() || item[0] != '"') return item;
    std::string::size_type close = item.find('"', 1);
    return item.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

namespace {
bool isNetworkName(const std::string& folder, const std::string& name) {
    return folder.empty() && name.size() > 2 && name[0] == '\\' && name[1] == '\\';
}
}  // namespace

std::string folderAnswer(const std::string& folder, const std::string& fileName) {
    if (!isNetworkName(folder, fileName)) return folder;
    return common::parentFolder(fileName);
}

std::string fileNameAnswer(const std::string& folder, const std::string& fileName) {
    if (!isNetworkName(folder, fileName)) return fileName;
    return common::fileNamePart(fileName.c_str());
}

std::string filterList(const std::vector<std::pair<std::string, std::string>>& fixed,
                       const std::string& userCaption, const std::string& userPattern) {
    std::string out;
    for (const auto& f : fixed) {
        out += f.first;
        out += '\0';
        out += f.second;
        out += '\0';
    }
    std::string pattern = common::fileNamePart(userPattern.c_str());
    if (pattern.empty()) pattern = "*.*";
    out += userCaption;
    out += '\0';
    out += pattern;
    out += '\0';
    out += '\0';
    return out;
}

}  // namespace viewer
