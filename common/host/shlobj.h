// Stand-in for <shlobj.h> in the host fuzz build.
#pragma once
#include <shobjidl.h>
