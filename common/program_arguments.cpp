// The Windows half of command_line.h, apart so that host builds of the pure
// skipping need no <windows.h>.
#include <windows.h>
#include "command_line.h"

namespace common {

const char* commandLineArguments() { return skipProgramName(GetCommandLineA()); }

}  // namespace common
