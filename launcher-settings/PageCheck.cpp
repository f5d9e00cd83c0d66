#include "PageCheck.h"

#include "InstallNames.h"
#include "VisibleText.h"

namespace {

const char kMetaElement[] = "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">";
const char kFirstInHead[] = " the first element of <head> (after <title> and other <meta> at most)";

std::string MediaType(const std::string& contentType)
{
    std::string type = contentType.substr(0, contentType.find(';'));
    const std::size_t first = type.find_first_not_of(" \t");
    type = first == std::string::npos ? "" : type.substr(first, type.find_last_not_of(" \t") - first + 1);
    for (char& c : type)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return type;
}

// The control reads a page sent without a content type as HTML too.
bool IsHtml(const std::optional<std::string>& contentType)
{
    if (!contentType)
        return true;
    const std::string type = MediaType(*contentType);
    return type.empty() || type == "text/html" || type == "application/xhtml+xml";
}

std::string FetchFix(const PageFetch& fetch)
{
    switch (fetch.error) {
    case FetchError::NotFetched:
        return std::string("write the launch page's whole address, http:// or https:// and percent-encoded, in ") +
               kLaunchUrlKey;
    case FetchError::TooManyRedirects:
        return "make the address lead to the page in at most " + std::to_string(kMostRedirects) + " redirects";
    case FetchError::BadRedirect:
        return "make the redirects lead to an http:// or https:// address of the page";
    default:
        break;
    }
    if (fetch.answer.failure == RequestFailure::CertificateRejected)
        return "give the server a certificate that Windows trusts for the name in the address";
    return std::string("make the server answer at this address, or point ") + kLaunchUrlKey + " in " +
           kServerInfoFile + " at one that does";
}

// What else the page says about its mode that the engine does not take: a
// meta element that stands too late or names no mode, a header that names
// none. Each note begins with "; ".
std::string IgnoredRequests(const PageCheck& page, const std::optional<std::string>& header)
{
    const CompatibilityMeta& meta = page.document.meta;
    const ModeSource source = page.mode->source;
    std::string notes;
    if (meta.found && !meta.honoured)
        notes += "; its X-UA-Compatible meta element (line " + std::to_string(meta.line) + ") is ignored, because " +
                 meta.blocker + " (line " + std::to_string(meta.blockerLine) + ") stands before it";
    else if (meta.found && source != ModeSource::MetaElement)
        notes += "; its X-UA-Compatible meta element (line " + std::to_string(meta.line) + ") asks for " +
                 QuotedBytes(meta.content) + ", which names no document mode, so it is ignored";
    if (header && source != ModeSource::Header && source != ModeSource::MetaElement)
        notes += "; the X-UA-Compatible header " + QuotedBytes(*header) + " names no document mode, so it is ignored";
    return notes;
}

// The warning for a mode other than edge and 11, with the fix for where the
// mode comes from.
void WarnOfMode(const PageCheck& page, const std::string& where, SettingsWarnings& warnings)
{
    const DocumentModeChoice& mode = *page.mode;
    if (mode.mode == DocumentMode::Edge || mode.mode == DocumentMode::Ie11)
        return;
    const CompatibilityMeta& meta = page.document.meta;
    std::string message = "the browser control draws the page in " + DocumentModeWords(mode.mode) + ", not in edge mode";
    std::string fix = "add " + std::string(kMetaElement) + " as" + kFirstInHead +
                      ", or send the header X-UA-Compatible: IE=edge";
    const int line = meta.found ? meta.line : 0;
    switch (mode.source) {
    case ModeSource::MetaElement:
        message += ": its X-UA-Compatible meta element asks for " + QuotedBytes(mode.value);
        fix = "change the meta element to " + std::string(kMetaElement);
        break;
    case ModeSource::Header:
        message += ": the X-UA-Compatible header asks for " + QuotedBytes(mode.value);
        fix = "send the header X-UA-Compatible: IE=edge instead";
        break;
    case ModeSource::Doctype:
        message += ": the page has a doctype and asks for no newer mode";
        break;
    case ModeSource::NoDoctype:
        message += ": the page has no doctype and asks for no other mode";
        break;
    }
    message += IgnoredRequests(page, page.fetch.answer.compatibility);
    const bool fixTheMeta = mode.source == ModeSource::Doctype || mode.source == ModeSource::NoDoctype;
    if (fixTheMeta && meta.found)
        fix = meta.honoured ? "change the meta element to " + std::string(kMetaElement)
                            : "make " + std::string(kMetaElement) + kFirstInHead;
    warnings.push_back({where, line, "document-mode", message, fix});
}

}  // namespace

void CheckPage(const std::string& address, int timeoutSeconds, PageCheck& page, SettingsWarnings& warnings)
{
    PageFetch fetch;
    FetchPage(address, timeoutSeconds, RequestPage, fetch);
    AssessPage(fetch, page, warnings);
}

void AssessPage(const PageFetch& fetch, PageCheck& page, SettingsWarnings& warnings)
{
    page = PageCheck();
    page.fetch = fetch;
    const std::string& address = fetch.finalAddress.empty() ? fetch.address : fetch.finalAddress;
    const std::string where = address.empty() ? "launch page" : VisibleBytes(address);
    if (fetch.error != FetchError::None) {
        const bool notFetched = fetch.error == FetchError::NotFetched;
        warnings.push_back({where, 0, notFetched ? "page-not-fetched" : "page-fetch-failed",
                            std::string("the launch page ") + (notFetched ? "is " : "cannot be fetched: ") +
                                fetch.errorText,
                            FetchFix(fetch)});
        page.noModeReason = "no page was received";
        return;
    }
    const PageAnswer& answer = fetch.answer;
    if (answer.status < 200 || answer.status > 299) {
        const std::string status = std::to_string(answer.status);
        warnings.push_back({where, 0, "page-status", "the launch page answers with status " + status + ", not 2xx",
                            std::string("serve the launch page at this address, or point ") + kLaunchUrlKey +
                                " in " + kServerInfoFile + " at the address that serves it"});
        page.noModeReason = "the page answered " + status + ", not 2xx";
        return;
    }
    if (!IsHtml(answer.contentType)) {
        page.noModeReason = "the page is " + VisibleBytes(*answer.contentType) + ", not HTML";
        return;
    }
    page.document = ReadPageDocument(answer.body);
    page.mode = ChooseDocumentMode(page.document, answer.compatibility);
    WarnOfMode(page, where, warnings);
}
