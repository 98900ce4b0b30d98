#include "docprep/document_list.h"

#include "docprep/file_names.h"
#include "docprep/frm_flet.h"
#include "platform/cp1252.h"
#include "platform/failure.h"
#include "platform/text.h"

#include <algorithm>

namespace lexi {
namespace {

// The entry as it is to be attached, or "" when it is left out.
std::string completed(DocPrepContext& context, const std::string& entry) {
    FileSystem& files = context.platform.files;
    if (fileExists(files, entry)) {
        return entry;
    }
    // A missing file that has an extension (a web address among them) is
    // kept as listed.
    if (!extensionPart(entry).empty()) {
        return entry;
    }
    const std::string path = fileExists(files, entry + ".docx") ? entry + ".docx" : entry + ".doc";
    if (fileExists(files, path)) {
        return path;
    }
    context.platform.ui.messageBox("Filen " + path + " kan ikke findes. Navnet vil blive fjernet",
                                   msgbox::Critical, "Lexitray");
    return {};
}

} // namespace

DocumentList HentFiler(DocPrepContext& context, const std::string& listPath) {
    context.log.WriteLog("Start på HentFiler");
    DocumentList list;
    try {
        const std::vector<std::string> entries =
            text::readLines(cp1252::toUtf8(context.platform.files.readFile(listPath)));
        for (const std::string& entry : entries) {
            std::string document = completed(context, entry);
            if (!document.empty()) {
                list.emplace_back().SourcePath = std::move(document);
            }
        }
        if (list.empty()) {
            list.emplace_back();
        }
    } catch (const Failure& failure) {
        const std::string message = "Fejl i Hentfiler: " + failure.description();
        context.platform.ui.messageBox(message, msgbox::OkOnly, "Lexitray");
        context.log.WriteLog(message);
        return {};
    }
    context.log.WriteLog("Slut på HentFiler");
    return list;
}

DocumentList& GetNames(DocumentList& list, DocPrepContext& context) {
    RunLog& log = context.log;
    log.WriteLog("Start på getnames");
    // A list without documents (no record, or the record that stands for
    // none) has nothing to name: no dialog for it.
    if (std::ranges::all_of(list, [](const MergeDocument& d) { return d.SourcePath.empty(); })) {
        log.WriteLog("Slut på getnames");
        return list;
    }
    auto document = list.begin();
    try {
        frmFlet dialog(context);
        dialog.Load();
        while (document != list.end()) {
            const std::string name(fileNamePart(document->SourcePath));
            const int length = static_cast<int>(text::utf16Length(name));
            dialog.setName(name);
            dialog.setSource(document->SourcePath);
            dialog.selectName(0, length);
            log.WriteLog("filnavn: " + dialog.name());
            log.WriteLog("længde: " + std::to_string(length));
            dialog.setClean(false);
            if (!dialog.showModal()) {
                // Closed through its frame: the user wants this one left out.
                log.WriteLog("Ikke vedhæftet: " + document->SourcePath);
                context.leftOut.push_back(
                    {document->SourcePath, "du lukkede vinduet uden at vælge OK"});
                document = list.erase(document);
                continue;
            }
            MergeDocument& d = *document;
            d.SourceExt = recordExtension(d.SourcePath);
            d.TargetPath = context.workFolder + "\\" +
                           attachmentFileName(context.platform.files, dialog.name());
            d.TargetExt = recordExtension(d.TargetPath);
            d.UsePDFTemplate = dialog.useTemplateTicked() && !dialog.templatePath().empty();
            d.PDFTemplate = dialog.templatePath();
            d.PDFPassword = dialog.password();
            d.Clean = dialog.clean();
            if (!fileExists(context.platform.files, d.PDFTemplate)) {
                d.PDFTemplate.clear();
            }
            ++document;
        }
        dialog.Unload();
        log.WriteLog("Slut på getnames");
    } catch (const Failure& failure) {
        const std::string message = "Fejl i GetNames: " + failure.description();
        log.WriteLog(message);
        context.platform.ui.messageBox(message, msgbox::OkOnly, "Lexitray");
        // The documents not named are not attached: they have no target.
        list.erase(document, list.end());
    }
    if (list.empty()) {
        list.emplace_back();
    }
    return list;
}

} // namespace lexi
