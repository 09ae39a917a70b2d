// LastMove copies made after an install through the shell's file operation.
#pragma once
#include "installer_context.h"

namespace installer {

// The entries of one LastMove value: sources (relative to the destination
// folder) and the target folder. False for a value without ";".
struct LastMoveEntry {
    std::vector<std::string> sources;
    std::string target;
};
bool parseLastMove(const char* value, const MacroSource& macros, const std::string& destination,
                   LastMoveEntry* out);

// The values of LastMove, LastMove1, LastMove2 ... in that order: a missing
// LastMove is skipped, the first missing numbered key ends the list (a key
// that is there with an empty value does not).
std::vector<std::string> lastMoveValues(ScriptFile& script, const char* section);

// Carries out LastMove, LastMove1 ... (the first missing numbered key ends
// the list). Failures are not reported.
void runLastMoves(InstallerContext& ctx);

}  // namespace installer
