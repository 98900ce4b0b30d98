#pragma once

#include <string>

namespace lexi::posix {

// The data source of a Word mail merge main document, as Word names it (a
// workstation path, "C:\Data\adresser.xlsx"), read from the document's file:
// the data document among the associated strings of a Word 97 document, the
// target of the data source relationship of a Word 2007 document's mail
// merge settings. Empty for a document that is no merge main document, of
// another kind, encrypted or damaged.
std::string mergeDataSource(const std::string& hostPath);

} // namespace lexi::posix
