#include "launchtexts.h"

namespace launchtext {

const char* reasonFor(int result, bool webDocument) {
    switch (result) {
    case 0: return kOutOfMemory;
    case 2: return kFileNotFound;
    case 3: return kPathNotFound;
    case 31: return webDocument ? kNoBrowser : kNoAssociation;
    default: return kCannotStart;
    }
}

}  // namespace launchtext
