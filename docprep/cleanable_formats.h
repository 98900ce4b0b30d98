#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexi {

// The kinds of document the hidden-data cleaner (lexitray-cleaner) cleans,
// known by their file name's extension, without regard to letter case.
enum class CleanableFormat {
    OfficeOpenXml, // .docx .docm .xlsx .xlsm .pptx .pptm
    OpenDocument,  // .odt .ods .odp
    WordBinary,    // .doc
    Pdf,           // .pdf
};

// The kind of a document by its extension (without the dot); nothing for a
// document the cleaner cannot clean.
std::optional<CleanableFormat> cleanableExtension(std::string_view extension);

// The kind of the document at `path` (a workstation or a host path).
std::optional<CleanableFormat> cleanableFormat(std::string_view path);

// Whether Word opens the cleaned document at `path` and saves it again in
// its own kind: Word's documents and OpenDocument text. A workbook, a
// presentation or a PDF it cannot save as what it is.
bool wordSavesItsKind(std::string_view path);

// The extensions the cleaner takes, for the user: "doc, docx, ... og pdf".
std::string cleanableExtensionsText();

} // namespace lexi
