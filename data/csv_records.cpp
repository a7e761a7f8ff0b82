#include "data/csv_records.h"

#include "forms/text.h"

namespace {

class CsvReader {
public:
    explicit CsvReader(std::string_view content) : text(content) {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    }

    std::vector<TCsvRecord> ReadAll() {
        std::vector<TCsvRecord> records;
        while (pos < text.size()) {
            TCsvRecord record{{}, line};
            for (;;) {
                record.fields.push_back(ReadField());
                if (pos >= text.size() || text[pos] != ',') break;
                ++pos;
            }
            EndLine();
            const bool blank =
                record.fields.size() == 1 && record.fields[0].text.empty() && !quotedLast;
            if (!blank) records.push_back(std::move(record));
        }
        return records;
    }

private:
    [[noreturn]] static void Fail(TCsvProblem problem, int where, const std::string& message) {
        throw ECsvError(problem, where, Utf8ToWide(message));
    }

    TCsvField ReadField() {
        TCsvField field{{}, line};
        quotedLast = pos < text.size() && text[pos] == '"';
        if (!quotedLast) {
            const size_t end = text.find_first_of(",\r\n", pos);
            field.text = text.substr(pos, end == std::string_view::npos ? end : end - pos);
            if (field.text.find('"') != std::string::npos) {
                Fail(TCsvProblem::QuoteInUnquotedField, line,
                     "quote inside an unquoted field: " + field.text);
            }
            pos += field.text.size();
            return field;
        }
        ++pos;  // opening quote
        for (;;) {
            if (pos >= text.size()) {
                Fail(TCsvProblem::UnclosedQuote, field.line, "quoted field is not closed");
            }
            const char c = text[pos++];
            if (c == '"') {
                if (pos < text.size() && text[pos] == '"') {
                    field.text += '"';
                    ++pos;
                    continue;
                }
                break;
            }
            if (c == '\n' || (c == '\r' && (pos >= text.size() || text[pos] != '\n'))) ++line;
            field.text += c;
        }
        if (pos < text.size() && text.find_first_of(",\r\n", pos) != pos) {
            Fail(TCsvProblem::TextAfterClosingQuote, line,
                 "text after the closing quote of a field");
        }
        return field;
    }

    void EndLine() {
        if (pos >= text.size()) return;
        if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
        ++pos;  // CR, LF or the LF of CR LF
        ++line;
    }

    std::string_view text;
    size_t pos = 0;
    int line = 1;
    bool quotedLast = false;
};

}  // namespace

ECsvError::ECsvError(TCsvProblem problem, int line, std::wstring message)
    : Exception(std::move(message)), problem(problem), line(line) {}

std::vector<TCsvRecord> ReadCsvRecords(std::string_view content) {
    return CsvReader(content).ReadAll();
}
