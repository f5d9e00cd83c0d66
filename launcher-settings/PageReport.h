// The launch page's part of the check report, for people and for scripts.
#pragma once

#include <string>

#include "PageCheck.h"

// Lines "page answer:" and "document mode:", each with a line that says more.
std::string PageReportText(const PageCheck& page);

// The object of the report's "page" member, on one line: address, status,
// final_address, redirects, content_type, bytes, truncated, document_mode,
// document_mode_source, x_ua_compatible and error, with null for what there
// is not.
std::string PageReportJson(const PageCheck& page);
