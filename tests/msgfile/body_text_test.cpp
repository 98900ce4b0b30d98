#include "platform/posix/msgfile/html_text.h"
#include "platform/posix/msgfile/rtf_text.h"

#include <gtest/gtest.h>

using namespace lexi::msgfile;

namespace {

TEST(MsgRtfText, IsWhatTheDocumentShows) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
         "{\\stylesheet{\\s0 Normal;}}{\\info{\\author Ib}}\\pard\\f0 Hej {\\b S\\'f8ren}\\par\r\nGl\\'e6d\\line x}",
         "Hej Søren\r\nGlæd\r\nx"},
        {"{\\rtf1 \\u230?\\u248?\\u229?{\\uc2\\u198\\'c6E}\\u216?Z\\uc0\\u197 .}", "æøåÆØZÅ."},
        {"{\\rtf1 a\\tab b\\~c\\-d\\_e\\emdash\\ldblquote}", "a\tb\u00A0cd\u2011e—“"},
        {"{\\rtf1 {\\*\\generator W;}{\\header H}{\\pict\\bin4 }{x}}a{\\field{\\*\\fldinst HYPERLINK x}"
         "{\\fldrslt {\\ul link}}}{\\listtable{\\list x}}{\\object{\\objdata 00}}.}", "alink."},
        {"{\\rtf1 A{\\b B{\\i C}D}E}}}{F", "ABCDEF"},
        {"{\\rtf1\\ansi\\fromhtml1 {\\*\\htmltag19 <p>}Hej&nbsp;\\htmlrtf \\par \\htmlrtf0 {\\*\\htmltag64 </p>}"
         "{\\*\\htmltag19 <p>}S\\'f8ren{\\*\\htmltag64 </p>}}", "Hej\u00A0\r\nSøren\r\n"},
    };
    // clang-format on
    for (const auto& [rtf, text] : cases) {
        EXPECT_EQ(plainTextFromRtf(rtf), text) << rtf;
    }
}

TEST(MsgHtmlText, IsWhatAMailReaderShows) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"<html><head><title>T</title><style>p {x}</style></head><body>"
         "<p class=MsoNormal>Hej  S&oslash;ren,<o:p></o:p></p>\r\n<p>&nbsp;</p><p>Mvh<br>Ib</p></body></html>",
         "Hej Søren,\r\n\u00A0\r\nMvh\r\nIb\r\n"},
        {"&aelig;&oslash;&aring;&AElig;&Oslash;&Aring;&amp;&lt;&gt;&quot;&apos;&eacute;&euro;&#229;&#xF8;&#150;&#0;",
         "æøåÆØÅ&<>\"'é€åø–\uFFFD"},
        {"AT&T &unknown; &amp &#; a&b", "AT&T &unknown; & &#; a&b"},
        {"<div>a</div>\n\n<div></div><p></p><div><div>b</div></div><div><br></div><div>c<br></div>d",
         "a\r\nb\r\n\r\nc\r\nd"},
        {"<script>if (a<b) x='</p>';</script><!-- <p>hidden</p> --><!DOCTYPE x>shown<![if !x]>.<![endif]>",
         "shown."},
        {"<pre>\n  a  b\n\tc</pre>d  \n e", "  a  b\r\n\tc\r\nd e"},
        {"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>", "a\tb\r\nc\r\n"},
        {"1 < 2 <3 and <a href=\"x>y\" title='q'>link</a> <b", "1 < 2 <3 and link <b"},
        {"<head><meta x>hidden<p>unclosed head", "unclosed head"},
        {"<style>x", ""},
    };
    // clang-format on
    for (const auto& [html, text] : cases) {
        EXPECT_EQ(plainTextFromHtml(html), text) << html;
    }
}

TEST(MsgHtmlText, TakesLinearTime) {
    // A '<' that no '>' follows is text; it must not make each '<' scan the rest.
    std::string html;
    for (int i = 0; i < 100000; ++i) {
        html += "<a ";
    }
    html.pop_back();
    EXPECT_EQ(plainTextFromHtml(html), html);
}

} // namespace
