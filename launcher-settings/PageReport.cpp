#include "PageReport.h"

#include "JsonText.h"
#include "VisibleText.h"

namespace {

const char kIndent[] = "                 ";

bool Answered(const PageCheck& page) { return page.fetch.error == FetchError::None; }

std::string Redirects(int redirects) { return std::to_string(redirects) + (redirects == 1 ? " redirect" : " redirects"); }

std::string BodyText(const PageAnswer& answer)
{
    const std::string type = answer.contentType ? VisibleBytes(*answer.contentType) : "no content type";
    const std::string bytes = std::to_string(answer.body.size());
    return type + ", " + (answer.bodyCut ? "the first " + bytes + " bytes read, the rest left" : bytes + " bytes");
}

std::string ModeSourceText(const DocumentModeChoice& mode, const PageDocument& document)
{
    switch (mode.source) {
    case ModeSource::MetaElement:
        return "from the X-UA-Compatible meta element (line " + std::to_string(document.meta.line) +
               " of the page): " + QuotedBytes(mode.value);
    case ModeSource::Header:
        return "from the X-UA-Compatible header: " + QuotedBytes(mode.value);
    case ModeSource::Doctype:
        return "the default for a page with a doctype: nothing the engine takes asks for another mode";
    case ModeSource::NoDoctype:
        return "the default for a page without a doctype: nothing the engine takes asks for another mode";
    }
    return "";
}

std::string ModeName(DocumentMode mode)
{
    if (mode == DocumentMode::Quirks || mode == DocumentMode::Edge)
        return DocumentModeWords(mode);
    return std::string(DocumentModeName(mode)) + " (" + DocumentModeWords(mode) + ")";
}

}  // namespace

std::string PageReportText(const PageCheck& page)
{
    const PageFetch& fetch = page.fetch;
    std::string out;
    if (Answered(page)) {
        out += "page answer:     " + std::to_string(fetch.answer.status) + " from " + VisibleBytes(fetch.finalAddress) +
               " after " + Redirects(fetch.redirects) + "\n";
        out += kIndent + BodyText(fetch.answer) + "\n";
    } else {
        out += "page answer:     none: " + fetch.errorText + "\n";
        if (!fetch.finalAddress.empty())
            out += kIndent + ("at " + VisibleBytes(fetch.finalAddress) + " after " + Redirects(fetch.redirects)) + "\n";
    }
    if (page.mode) {
        out += "document mode:   " + ModeName(page.mode->mode) + "\n";
        out += kIndent + ModeSourceText(*page.mode, page.document) + "\n";
    } else {
        out += "document mode:   none: " + page.noModeReason + "\n";
    }
    return out;
}

std::string PageReportJson(const PageCheck& page)
{
    const PageFetch& fetch = page.fetch;
    const PageAnswer& answer = fetch.answer;
    const bool answered = Answered(page);
    const std::optional<DocumentModeChoice>& mode = page.mode;
    const bool modeFromValue = mode && (mode->source == ModeSource::MetaElement || mode->source == ModeSource::Header);
    auto numberOrNull = [answered](std::size_t number) { return answered ? std::to_string(number) : "null"; };
    return JsonObject({
        JsonField("address", JsonString(fetch.address)),
        JsonField("status", numberOrNull(static_cast<std::size_t>(answer.status))),
        JsonField("final_address",
                  JsonStringOrNull(fetch.finalAddress.empty() ? std::nullopt : std::optional(fetch.finalAddress))),
        JsonField("redirects", std::to_string(fetch.redirects)),
        JsonField("content_type", JsonStringOrNull(answered ? answer.contentType : std::nullopt)),
        JsonField("bytes", numberOrNull(answer.body.size())),
        JsonField("truncated", answered ? (answer.bodyCut ? "true" : "false") : "null"),
        JsonField("document_mode", mode ? JsonString(DocumentModeName(mode->mode)) : "null"),
        JsonField("document_mode_source", mode ? JsonString(ModeSourceName(mode->source)) : "null"),
        JsonField("x_ua_compatible", modeFromValue ? JsonString(mode->value) : "null"),
        JsonField("error", answered ? "null" : JsonString(fetch.errorText)),
    });
}
