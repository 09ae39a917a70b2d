// Where the extraction window lets an archive write: the folder of each
// archive entry, and the check every file name the library announces must
// pass before it is written.
#include <gtest/gtest.h>
#include "extract_window.h"

using namespace installer;

using namespace installer;

TEST(ExtractTarget, EntryFolders) {
    CopyEntry plain;
    plain.destination.setPath("C:\\Program Files\\Tool");
    EXPECT_EQ("C:\\Program Files\\Tool", archiveTarget(plain));
    CopyEntry sub;
    sub.destination.setPath("C:\\Program Files\\Tool");
    sub.destFolder = "bin\\表";
    EXPECT_EQ("C:\\Program Files\\Tool\\bin\\表", archiveTarget(sub));
    CopyEntry macro;
    macro.destination.setPath("C:\\Program Files\\Tool");
    macro.destFolder = "C:\\windows\\fonts";
    macro.absolute = true;
    EXPECT_EQ("C:\\windows\\fonts", archiveTarget(macro));
}
