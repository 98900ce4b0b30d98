#pragma once

#include "docprep/merge_document.h"

namespace lexi {

// The documents of "findoc.txt" in the exchange folder, in file order: one
// listed without extension is completed with ".docx" or ".doc" (the user is
// told when neither exists, and it is left out). The file is deleted once
// read. No record at all when it could not be read (the user has been told).
DocumentList HentFiler(DocPrepContext& context);

// Lets the user name each document in the naming dialog and fills its
// record; a document whose dialog the user closes is left out. The list is
// changed in place and returned.
DocumentList& GetNames(DocumentList& list, DocPrepContext& context);

} // namespace lexi
