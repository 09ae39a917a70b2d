#include "copy_section.h"
#include "archive_steps.h"
#include "closing_dialog.h"
#include "copy_progress_window.h"
#include "destination_dialog.h"
#include "file_list.h"
#include "first_message.h"
#include "last_move.h"
#include "installer_messages.h"
#include "section_texts.h"
#include "shortcut_steps.h"
#include "texts.h"

namespace installer {

bool runCopySection(InstallerContext& ctx, FirstMessage* firstMessage) {
    const char* section = ctx.section.c_str();
    CopyList archives, files;

    if (!buildArchiveList(ctx, &archives)) return false;
    FileListError listError;
    if (!buildFileList(ctx.script, section, ctx.sourceBase().c_str(), ctx.folders, &files, &listError)) {
        if (firstMessage) firstMessage->close();
        if (listError.destinationTooLong)
            errorBox(texts::kTitleError, texts::kCopyDestinationTooLong, listError.key);
        else
            errorBox(texts::kTitleError, texts::kCopySourceMissing, listError.key,
                     listError.sourcePath.c_str());
        return false;
    }
    // The question's dialog goes before any message of the group check.
    if (firstMessage) firstMessage->close();
    GroupCheck group;
    if (!checkGroupKeys(ctx, &group)) return false;

    DestinationDialog::Options opts;
    std::string dirMsg;
    if (ctx.script.getString(section, "DIRMsg", &dirMsg)) {
        opts.hasHeading = true;
        opts.heading = directoryHeading(ctx.script, dirMsg.c_str());
    }
    opts.folder = ctx.destination;
    opts.offerGroup = group.programMenu;
    opts.offerDesktop = group.programMenu && group.desktop;
    opts.files = &files;
    opts.archives = &archives;
    DestinationDialog dest(opts);
    if (!dest.run(ctx.instance)) return false;
    ctx.destination = dest.folder();

    for (auto& a : archives)
        if (a->destination.empty()) a->destination.setPath(ctx.destination.c_str());
    resolveDestinations(files, ctx.destination.c_str());

    if (!extractArchives(ctx, archives)) return false;
    CopyProgressWindow progress(ctx.instance);
    if (!progress.run(files)) return false;

    std::string groupFolder = dest.groupPlace();
    bool groupMade = false;
    if (dest.groupChosen() || dest.desktopChosen()) {
        if (!createShortcuts(ctx, dest.groupChosen(), dest.desktopChosen(), &groupFolder)) return false;
        groupMade = dest.groupChosen() && !groupFolder.empty();
    }
    runLastMoves(ctx);

    ClosingDialog::Options closing;
    closing.message = sectionMessage(ctx.script, section, "LastMsg");
    if (closing.message.empty()) closing.message = firstLine(ctx.script, section);
    std::string lastExec;
    ctx.script.getString(section, "LastExec", &lastExec);
    closing.exec = parseLastExec(lastExec.c_str());
    closing.destination = ctx.destination;
    closing.groupMade = groupMade;
    closing.groupFolder = groupFolder;
    ClosingDialog(closing).run(ctx.instance);
    return true;
}

}  // namespace installer
