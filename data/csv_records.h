#pragma once
// Records of comma-separated text as spreadsheet programs write it: fields separated by ",",
// records ended by CR LF, LF or CR; a field in double quotes may hold commas, line breaks and
// doubled quotes. A UTF-8 BOM at the start is skipped and blank lines are left out. Strict: a
// quote inside an unquoted field, text after a closing quote and an unterminated quote raise
// ECsvError with the line it was found on, so a damaged file is refused rather than misread.
// Bytes are not decoded: fields are the bytes between the separators.

#include <string>
#include <string_view>
#include <vector>

#include "forms/exception.h"

struct TCsvField {
    std::string text;
    int line;  // where the field starts (1-based)
};

struct TCsvRecord {
    std::vector<TCsvField> fields;
    int line;
};

enum class TCsvProblem { QuoteInUnquotedField, TextAfterClosingQuote, UnclosedQuote };

// The message is the problem in English ("quoted field is not closed"); callers that speak to
// the user in their own words use Problem() and Line().
class ECsvError : public Exception {
public:
    ECsvError(TCsvProblem problem, int line, std::wstring message);
    const char* ClassName() const override { return "ECsvError"; }
    TCsvProblem Problem() const { return problem; }
    int Line() const { return line; }

private:
    TCsvProblem problem;
    int line;
};

std::vector<TCsvRecord> ReadCsvRecords(std::string_view content);
