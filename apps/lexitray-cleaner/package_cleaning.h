#pragma once

#include "apps/lexitray-cleaner/zip_package.h"

#include <vector>

namespace lexi {

// The files of an Office Open XML package (.docx, .xlsx, .pptx) without its
// hidden data: the document properties, comments and their anchors, the
// people who wrote them, tracked changes (accepted: insertions kept as text,
// deletions gone, formatting changes dropped), hidden text, revision ids, the
// attached template, document variables, the custom XML data and its
// bindings, the comments of the XML itself, and every part that only these
// led to. Throws lexi::Failure (PathFileAccessError) for a package that is not
// Office Open XML or whose XML is damaged.
std::vector<PackageEntry> cleanOfficeOpenXml(std::vector<PackageEntry> entries);

// The files of an OpenDocument package (.odt, .ods, .odp) without its hidden
// data: the document properties (meta.xml), stored versions, comments,
// tracked changes (accepted), hidden text and sections, revision ids, the
// printer settings, the comments of the XML itself, and every file its
// manifest does not list. Throws lexi::Failure (PathFileAccessError) for a package
// that is not OpenDocument or whose XML is damaged.
std::vector<PackageEntry> cleanOpenDocument(std::vector<PackageEntry> entries);

} // namespace lexi
