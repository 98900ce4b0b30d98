#include "mail/md_repository.h"

#include "mail/exchange_files.h"
#include "platform/failure.h"
#include "program/document_id.h"

namespace lexi {

void mdRepository::SkrivCallback(std::string_view documentId, bool import) {
    if (IsEmptyId(documentId)) {
        return;
    }
    FileSystem& files = context_.platform.files;
    const std::string path =
        context_.program.startupLocalFolder + exchange::callbackFileName(documentId);
    const std::string content = std::string(documentId) + "\r\n" + (import ? "1" : "0") + "\r\n";
    context_.log.WriteLog(import ? "Import file" : "Ignore file");
    // The file is written beside its place and then moved over the old one,
    // so that the case-management system never finds it missing or half
    // written.
    const std::string temporary = path + ".tmp";
    try {
        files.writeFile(temporary, exchange::encode(content));
        files.replaceFile(temporary, path);
    } catch (const Failure&) {
        ignoringFailure([&] { files.deleteFile(temporary, true); });
    }
}

} // namespace lexi
