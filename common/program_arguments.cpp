// The Windows half of program_arguments.h, apart so that host builds of the pure
// skipping need no <windows.h>.
#include <windows.h>
#include "program_arguments.h"

namespace common {

const char* commandLineArguments() { return skipProgramName(GetCommandLineA()); }

}  // namespace common
