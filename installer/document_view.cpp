#include "document_view.h"
#include "installer_messages.h"
#include "texts.h"

bool showDocument(HWND, InstallerContext& ctx, const char* section, int, int, const char* name) {
    std::string document = name && *name ? name : "";
    if (document.empty()) ctx.script.getString(section, "LzhView", &document);
    if (!document.empty() && document[0] == '?') document.erase(0, 1);
    if (document.empty()) {
        errorBox(texts::kTitleError, "%s", texts::kNoDocument);
        return false;
    }
    // The document is read out of the item's archive through the archiver
    // libraries; without that layer there is nothing to show yet.
    return false;
}
