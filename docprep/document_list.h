#pragma once

#include "docprep/merge_document.h"

namespace lexi {

// The documents of the request's "findoc.txt" at `listPath`, in file order:
// one listed without extension is completed with ".docx" or ".doc" (the user
// is told when neither exists, and it is left out). No record at all when the
// file could not be read (the user has been told). The file is the request's
// to delete.
DocumentList HentFiler(DocPrepContext& context, const std::string& listPath);

// Lets the user name each document in the naming dialog and fills its
// record; a document whose dialog the user closes is left out. The list is
// changed in place and returned.
DocumentList& GetNames(DocumentList& list, DocPrepContext& context);

} // namespace lexi
