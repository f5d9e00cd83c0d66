// The launch page as the launcher's browser control would get it: whether the
// address answers, where it ends, and the document mode the page is drawn in,
// with a warning for each pitfall.
#pragma once

#include <optional>
#include <string>

#include "DocumentMode.h"
#include "PageFetch.h"
#include "SettingsWarning.h"

struct PageCheck {
    PageFetch fetch;
    PageDocument document;
    std::optional<DocumentModeChoice> mode;  // for a page that answered 2xx with HTML
    std::string noModeReason;                // otherwise why there is none, in words
};

// Fetches `address` with RequestPage, as FetchPage limits it, and assesses it.
void CheckPage(const std::string& address, int timeoutSeconds, PageCheck& page, SettingsWarnings& warnings);

// What a finished fetch means: the document mode, and the warnings for a
// fetch that failed, a status that is not 2xx, and a mode other than edge
// or 11. A warning about the page names its address as the file, and the line
// of the page's X-UA-Compatible meta element where one concerns it.
void AssessPage(const PageFetch& fetch, PageCheck& page, SettingsWarnings& warnings);
