#pragma once

#include "docprep/cleanable_formats.h"

#include <string>

namespace lexi {

// Writes the cleaned copy of the package (Office Open XML or OpenDocument)
// at `hostSource` to `hostTarget`, whole or not at all. Throws lexi::Failure.
void cleanPackage(CleanableFormat format, const std::string& hostSource,
                  const std::string& hostTarget);

// Writes a copy of the PDF at `hostSource` to `hostTarget`, whole or not at
// all, without the document information dictionary, the XMP metadata of the
// document and its pages, the comments and other remarks on its pages (with
// their authors), its embedded and associated files, and the earlier
// revisions kept by incremental saves. Throws lexi::Failure.
void cleanPdf(const std::string& hostSource, const std::string& hostTarget);

} // namespace lexi
