#pragma once

#include <string>
#include <string_view>

namespace lexi::msgfile {

// What to take from an RTF document.
enum class RtfContent {
    Text, // the text a reader sees
    Html, // the HTML that Outlook encapsulated in it
};

struct RtfReading {
    std::string content; // UTF-8; paragraphs end in "\r\n"
    bool fromHtml;       // the document encapsulates HTML (\fromhtml1)
};

// Walks the document's groups and control words once. Bytes decode in the
// \ansicpg code page (Windows-1252 when none is named); groups that hold no
// text (font and colour tables, pictures, \* destinations...) are left out.
// For Html, the markup of the htmltag groups is kept and the text between
// \htmlrtf and \htmlrtf0, which only renders the HTML as RTF, left out.
RtfReading readRtf(std::string_view rtf, RtfContent content);

} // namespace lexi::msgfile
