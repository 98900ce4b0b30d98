#include "mail/work_folders.h"

#include "platform/failure.h"
#include "shared/registry/process_journal.h"

namespace lexi {
namespace {

ProcessJournal workFolders(MailContext& context) {
    return ProcessJournal(context.platform.registry, "Software\\Lexitray\\Arbejdsmapper");
}

std::string folderName(const std::string& folder) {
    return folder.substr(folder.rfind('\\') + 1);
}

} // namespace

std::string noteWorkFolder(MailContext& context, const std::string& folder) {
    return workFolders(context).add(context.platform.processes.currentProcessId(),
                                    folderName(folder), folder);
}

void removeWorkFolder(MailContext& context, const std::string& folder,
                      const std::string& noteName) {
    FileSystem& files = context.platform.files;
    if (files.exists(folder)) {
        files.removeFolder(folder, true);
    }
    if (!noteName.empty()) {
        workFolders(context).remove(noteName);
    }
}

void removeLeftWorkFolders(MailContext& context, std::string_view imageName) {
    for (const ProcessJournal::Note& note :
         workFolders(context).leftBehind(context.platform.processes, imageName)) {
        try {
            removeWorkFolder(context, note.text, note.name);
            context.log.WriteLog("Tempmappen " + note.text + " fra en afbrudt mail er slettet");
        } catch (const Failure& failure) {
            context.log.WriteLog("Tempmappen " + note.text +
                                 " kan ikke slettes: " + failure.description());
        }
    }
}

} // namespace lexi
