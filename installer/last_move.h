// LastMove copies made after an install through the shell's file operation.
#pragma once
#include "installer_context.h"

// The entries of one LastMove value: sources (relative to the destination
// folder) and the target folder. False for a value without ";".
struct LastMoveEntry {
    std::vector<std::string> sources;
    std::string target;
};
bool parseLastMove(const char* value, const MacroSource& macros, const std::string& destination,
                   LastMoveEntry* out);

// Carries out LastMove, LastMove1 ... (the first missing numbered key ends
// the list). Failures are not reported.
void runLastMoves(InstallerContext& ctx);
