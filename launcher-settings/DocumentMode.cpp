#include "DocumentMode.h"

#include <algorithm>
#include <cstring>

namespace {

const char kBlank[] = " \t\r\n\f";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsBlank(char c) { return c != '\0' && std::strchr(kBlank, c) != nullptr; }

// Whether `text` holds `word` at `position`, ignoring ASCII case.
bool HasAt(const std::string& text, std::size_t position, const char* word)
{
    const std::size_t length = std::strlen(word);
    if (position + length > text.size())
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (Lower(text[position + i]) != Lower(word[i]))
            return false;
    }
    return true;
}

bool SameIgnoringCase(const std::string& text, const char* word)
{
    return text.size() == std::strlen(word) && HasAt(text, 0, word);
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

// A whole number of at most four digits, or -1.
int Version(const std::string& digits)
{
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(digits);
}

// The mode one "IE=..." value names.
std::optional<DocumentMode> ModeOfVersion(const std::string& value, bool doctype)
{
    if (SameIgnoringCase(value, "edge"))
        return DocumentMode::Edge;
    const bool emulate = HasAt(value, 0, "EmulateIE");
    const int version = Version(emulate ? value.substr(9) : value);
    if (version == 5 && !emulate)
        return DocumentMode::Quirks;
    if (version > 11 && !emulate)
        return DocumentMode::Edge;
    if (version < 7 || version > 11)
        return std::nullopt;
    if (emulate && !doctype)
        return DocumentMode::Quirks;
    return static_cast<DocumentMode>(static_cast<int>(DocumentMode::Ie7) + version - 7);
}

// --- reading the page -------------------------------------------------------

int LineAt(const std::string& html, std::size_t position)
{
    return 1 + static_cast<int>(std::count(html.begin(), html.begin() + static_cast<std::ptrdiff_t>(position), '\n'));
}

struct StartTag {
    std::string name;  // in lower case
    std::string httpEquiv;
    std::string content;
    std::size_t end = 0;  // just past its '>'
};

// The tag that begins at the '<' at `position`: its name, the two attributes
// the mode depends on (the first of each, as HTML takes them) and its end.
StartTag ReadStartTag(const std::string& html, std::size_t position)
{
    StartTag tag;
    std::size_t p = position + 1;
    while (p < html.size() && !IsBlank(html[p]) && html[p] != '>' && html[p] != '/')
        tag.name.push_back(Lower(html[p++]));
    bool haveHttpEquiv = false;
    bool haveContent = false;
    for (;;) {
        while (p < html.size() && (IsBlank(html[p]) || html[p] == '/'))
            ++p;
        if (p >= html.size() || html[p] == '>')
            break;
        std::string name;
        while (p < html.size() && !IsBlank(html[p]) && html[p] != '>' && html[p] != '/' && (html[p] != '=' || name.empty()))
            name.push_back(Lower(html[p++]));
        while (p < html.size() && IsBlank(html[p]))
            ++p;
        std::string value;
        if (p < html.size() && html[p] == '=') {
            ++p;
            while (p < html.size() && IsBlank(html[p]))
                ++p;
            if (p < html.size() && (html[p] == '"' || html[p] == '\'')) {
                const std::size_t close = html.find(html[p], p + 1);
                const std::size_t end = close == std::string::npos ? html.size() : close;
                value = html.substr(p + 1, end - p - 1);
                p = std::min(end + 1, html.size());
            } else {
                while (p < html.size() && !IsBlank(html[p]) && html[p] != '>')
                    value.push_back(html[p++]);
            }
        }
        if (name == "http-equiv" && !haveHttpEquiv) {
            haveHttpEquiv = true;
            tag.httpEquiv = value;
        } else if (name == "content" && !haveContent) {
            haveContent = true;
            tag.content = value;
        }
    }
    tag.end = std::min(p + 1, html.size());
    return tag;
}

// Just past the end tag `</name ...>` at or after `position`, or the end of
// the page: where the text of <title>, <script>, <style> and the like ends.
std::size_t PastEndTag(const std::string& html, std::size_t position, const std::string& name)
{
    for (std::size_t p = html.find("</", position); p != std::string::npos; p = html.find("</", p + 2)) {
        const std::size_t after = p + 2 + name.size();
        if (HasAt(html, p + 2, name.c_str()) && (after >= html.size() || IsBlank(html[after]) || html[after] == '>' || html[after] == '/')) {
            const std::size_t close = html.find('>', after);
            return close == std::string::npos ? html.size() : close + 1;
        }
    }
    return html.size();
}

// Just past the first `terminator` at or after `position`, or the end of the page.
std::size_t PastText(const std::string& html, std::size_t position, const char* terminator)
{
    const std::size_t found = html.find(terminator, position);
    return found == std::string::npos ? html.size() : found + std::strlen(terminator);
}

// Elements whose content is text up to their end tag, not markup.
bool HoldsRawText(const std::string& name)
{
    static const char* const kRawText[] = {"title", "script", "style", "textarea", "xmp", "iframe",
                                           "noembed", "noframes", "noscript", "plaintext"};
    return std::any_of(std::begin(kRawText), std::end(kRawText), [&](const char* raw) { return name == raw; });
}

// The state of one reading of a page.
class PageReader {
public:
    explicit PageReader(const std::string& html) : m_html(html) {}

    PageDocument Read()
    {
        std::size_t p = HasAt(m_html, 0, "\xEF\xBB\xBF") ? 3 : 0;
        while (p < m_html.size() && !m_document.meta.found)
            p = m_html[p] == '<' ? Markup(p) : Text(p);
        return m_document;
    }

private:
    // Text up to the next '<' (or a '<' that begins no markup): white space
    // changes nothing, anything else begins the body.
    std::size_t Text(std::size_t p)
    {
        const std::size_t end = m_html[p] == '<' ? p + 1 : std::min(m_html.find('<', p), m_html.size());
        for (std::size_t i = p; i < end; ++i) {
            if (!IsBlank(m_html[i])) {
                Content("text", i);
                break;
            }
        }
        return end;
    }

    std::size_t Markup(std::size_t p)
    {
        if (HasAt(m_html, p, "<!--"))
            return PastText(m_html, p + 4, "-->");
        if (HasAt(m_html, p, "<!") || HasAt(m_html, p, "<?")) {
            if (HasAt(m_html, p, "<!doctype") && m_beforeContent)
                m_document.doctype = true;
            return PastText(m_html, p, ">");
        }
        if (HasAt(m_html, p, "</") && p + 2 < m_html.size() && IsLetter(m_html[p + 2])) {
            const StartTag tag = ReadStartTag(m_html, p + 1);
            Content("</" + tag.name + ">", p);
            return tag.end;
        }
        if (p + 1 >= m_html.size() || !IsLetter(m_html[p + 1]))
            return Text(p);
        const StartTag tag = ReadStartTag(m_html, p);
        m_beforeContent = false;
        if (tag.name == "meta" && SameIgnoringCase(tag.httpEquiv, "X-UA-Compatible")) {
            CompatibilityMeta& meta = m_document.meta;
            meta.found = true;
            meta.content = tag.content;
            meta.line = LineAt(m_html, p);
            meta.honoured = m_inHeadStart;
            meta.blocker = m_blocker;
            meta.blockerLine = m_blockerLine;
        } else if (tag.name != "html" && tag.name != "head" && tag.name != "meta" && tag.name != "title") {
            Content("<" + tag.name + ">", p);
        }
        return HoldsRawText(tag.name) ? PastEndTag(m_html, tag.end, tag.name) : tag.end;
    }

    // Something other than the head's first elements, found at `p`: from here
    // on an X-UA-Compatible meta element is not honoured.
    void Content(const std::string& what, std::size_t p)
    {
        m_beforeContent = false;
        if (!m_inHeadStart)
            return;
        m_inHeadStart = false;
        m_blocker = what;
        m_blockerLine = LineAt(m_html, p);
    }

    const std::string& m_html;
    PageDocument m_document;
    bool m_beforeContent = true;  // nothing but white space, comments and declarations yet
    bool m_inHeadStart = true;    // nothing but <html>, <head>, <title> and <meta> yet
    std::string m_blocker;
    int m_blockerLine = 0;
};

}  // namespace

const char* DocumentModeName(DocumentMode mode)
{
    static const char* const kNames[] = {"quirks", "7", "8", "9", "10", "11", "edge"};
    return kNames[static_cast<int>(mode)];
}

std::string DocumentModeWords(DocumentMode mode)
{
    if (mode == DocumentMode::Quirks)
        return "quirks mode (IE5)";
    if (mode == DocumentMode::Edge)
        return "edge mode (the engine's newest, IE11 standards)";
    return std::string("IE") + DocumentModeName(mode) + " standards mode";
}

std::optional<DocumentMode> RequestedMode(const std::string& value, bool doctype)
{
    std::optional<DocumentMode> highest;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find_first_of(",;", start), value.size());
        const std::string item = value.substr(start, end - start);
        const std::size_t equals = item.find('=');
        if (equals != std::string::npos && SameIgnoringCase(Trimmed(item.substr(0, equals)), "IE")) {
            const std::optional<DocumentMode> mode = ModeOfVersion(Trimmed(item.substr(equals + 1)), doctype);
            if (mode && (!highest || *mode > *highest))
                highest = mode;
        }
        start = end + 1;
    }
    return highest;
}

PageDocument ReadPageDocument(const std::string& html) { return PageReader(html).Read(); }

const char* ModeSourceName(ModeSource source)
{
    static const char* const kNames[] = {"meta", "header", "doctype", "no-doctype"};
    return kNames[static_cast<int>(source)];
}

DocumentModeChoice ChooseDocumentMode(const PageDocument& document, const std::optional<std::string>& header)
{
    const CompatibilityMeta& meta = document.meta;
    if (meta.found && meta.honoured) {
        if (const std::optional<DocumentMode> mode = RequestedMode(meta.content, document.doctype))
            return {*mode, ModeSource::MetaElement, meta.content};
    }
    if (header) {
        if (const std::optional<DocumentMode> mode = RequestedMode(*header, document.doctype))
            return {*mode, ModeSource::Header, *header};
    }
    if (document.doctype)
        return {DocumentMode::Ie7, ModeSource::Doctype, ""};
    return {DocumentMode::Quirks, ModeSource::NoDoctype, ""};
}
