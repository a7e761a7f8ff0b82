#pragma once
// The connection string of a table component: "key=value" pairs separated by ";", keys compared
// without regard to ASCII letter case and trimmed of blanks, values trimmed too. A value may be
// quoted with " or ' to hold ";" or "=" (the quote doubled inside stands for itself). Only the
// SQLite provider exists: "Provider=SQLite;Data Source=weight.db" names a database file,
// relative to the working directory unless the path is absolute. Other keys are accepted and
// ignored, as a provider ignores settings it does not know.

#include <string>

struct TConnectionSettings {
    std::wstring provider;
    std::wstring dataSource;
};

// Raises EDatabaseError for a malformed string, a provider other than SQLite, or a missing data
// source; `owner` (the component's name) begins every message.
TConnectionSettings ParseConnectionString(const std::wstring& text, const std::wstring& owner);
