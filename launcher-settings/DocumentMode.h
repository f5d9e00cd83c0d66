// The document mode in which the browser control's engine (Internet Explorer
// 11's, which shows a page in IE7 standards mode unless the page asks for
// another) draws a page, from the page's X-UA-Compatible meta element, its
// X-UA-Compatible header and its doctype. Portable: no Windows header.
#pragma once

#include <optional>
#include <string>

// Lowest first, so that the highest of several is the greatest.
enum class DocumentMode { Quirks, Ie7, Ie8, Ie9, Ie10, Ie11, Edge };

// "quirks", "7" to "11", "edge": the names the reports use.
const char* DocumentModeName(DocumentMode mode);

// The mode in words, such as "IE7 standards mode".
std::string DocumentModeWords(DocumentMode mode);

// The mode an X-UA-Compatible value asks for, on a page with or without a
// doctype. The value is a list of NAME=VALUE items separated by commas or
// semicolons; items named IE count, any other (such as chrome=1) is ignored.
// Of the modes listed the highest is taken, which is what the engine does with
// a list of modes it all supports:
//   edge, or a version above 11 (the engine's highest)      edge
//   5                                                        quirks
//   7 to 11                                                  that version's standards mode
//   EmulateIE7 to EmulateIE11    that version's standards mode with a doctype, quirks without
// Nothing when no item names a mode (then the engine ignores the value).
std::optional<DocumentMode> RequestedMode(const std::string& value, bool doctype);

// The page's first X-UA-Compatible meta element, and whether the engine
// honours it: only in the head, before every other element except <title>
// and other <meta> elements (comments and white space may stand between).
struct CompatibilityMeta {
    bool found = false;
    std::string content;  // its content attribute
    int line = 0;         // the line of the page it begins on
    bool honoured = false;
    std::string blocker;  // for one that is not honoured: what stands before it, such as "<script>" or "text"
    int blockerLine = 0;
};

struct PageDocument {
    bool doctype = false;  // a <!DOCTYPE> before any element or text
    CompatibilityMeta meta;
};

// Reads the bytes of an HTML page as far as the mode depends on them.
PageDocument ReadPageDocument(const std::string& html);

enum class ModeSource { MetaElement, Header, Doctype, NoDoctype };

// "meta", "header", "doctype", "no-doctype": the names the reports use.
const char* ModeSourceName(ModeSource source);

struct DocumentModeChoice {
    DocumentMode mode = DocumentMode::Quirks;
    ModeSource source = ModeSource::NoDoctype;
    std::string value;  // the X-UA-Compatible value that decided, for MetaElement and Header
};

// The mode the engine uses: the honoured meta element's value when it names a
// mode, which wins over the header; else the header's when it names one; else
// IE7 standards mode with a doctype and quirks mode without.
DocumentModeChoice ChooseDocumentMode(const PageDocument& document, const std::optional<std::string>& header);
