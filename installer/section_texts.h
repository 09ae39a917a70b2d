// Texts a section composes from its keys: the FirstMsg and LastMsg texts,
// the destination dialog's heading and the follow-up entries of LastExec.
#pragma once
#include <string>

namespace installer {

class ScriptFile;

const size_t kSectionMessageBytes = 512;
const size_t kLastExecBytes = 510;

// ProductName (else Group) followed by two line breaks; empty when neither exists.
std::string firstLine(ScriptFile& script, const char* section);
// First line plus the key's value ("$name" values come from [Talinst]),
// cut to 511 bytes. Empty when the key is missing.
std::string sectionMessage(ScriptFile& script, const char* section, const char* key);
// The destination dialog's heading from a DIRMsg value ("$name", "+A+B+C"
// or plain text).
std::string directoryHeading(ScriptFile& script, const char* dirMsg);

struct LastExec {
    bool openFolder = false;  // an entry "$DstDir"
    bool hasFile = false;
    std::string file;     // relative to the destination, "/" turned into "\\"
    std::string program;  // empty: open the file itself
};
LastExec parseLastExec(const char* value);
// "ドキュメント %s を表示します" or "プログラム %s を実行します" for the entry.
std::string followUpCaption(const LastExec& exec);

}  // namespace installer
