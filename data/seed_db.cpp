#include "data/seed_db.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "data/exact_decimal.h"
#include "data/sqlite_db.h"
#include "forms/text.h"

namespace fs = std::filesystem;

namespace {

// --- CSV -------------------------------------------------------------------------------------

struct CsvField {
    std::string text;
    int line;
};

struct CsvRecord {
    std::vector<CsvField> fields;
    int line;
};

[[noreturn]] void Refuse(const std::string& utf8) { throw ESeedError(Utf8ToWide(utf8)); }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

class CsvReader {
public:
    CsvReader(std::string_view content, const std::string& fileLabel)
        : text(content), label(fileLabel) {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    }

    std::vector<CsvRecord> ReadAll() {
        std::vector<CsvRecord> records;
        while (pos < text.size()) {
            CsvRecord record{{}, line};
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
    [[noreturn]] void Fail(int where, const std::string& problem) const {
        Refuse(label + ":" + std::to_string(where) + ": " + problem);
    }

    CsvField ReadField() {
        CsvField field{{}, line};
        quotedLast = pos < text.size() && text[pos] == '"';
        if (!quotedLast) {
            const size_t end = text.find_first_of(",\r\n", pos);
            field.text = text.substr(pos, end == std::string_view::npos ? end : end - pos);
            if (field.text.find('"') != std::string::npos) {
                Fail(line, "quote inside an unquoted field: " + field.text);
            }
            pos += field.text.size();
            return field;
        }
        ++pos;  // opening quote
        for (;;) {
            if (pos >= text.size()) Fail(field.line, "quoted field is not closed");
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
            Fail(line, "text after the closing quote of a field");
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
    const std::string& label;
    size_t pos = 0;
    int line = 1;
    bool quotedLast = false;
};

bool IsValidUtf8(const std::string& text) { return WideToUtf8(Utf8ToWide(text)) == text; }

TSeedValue ParseNumberCell(const CsvField& field, const std::string& where) {
    DecimalNumber number;
    const bool hasDigit = field.text.find_first_of("0123456789") != std::string::npos;
    if (!hasDigit || !ParseDecimal(field.text, number)) {
        Refuse(where + Quoted(field.text) + " is not a number");
    }
    const double value = static_cast<double>(DecimalToBinary(number, BinaryFormat::Double));
    if (value == HUGE_VAL || value == -HUGE_VAL) {
        Refuse(where + Quoted(field.text) + " is beyond the range of a number");
    }
    return value;
}

// --- files and stamps ------------------------------------------------------------------------

std::string PathUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Refuse("cannot read " + PathUtf8(path));
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) Refuse("cannot read " + PathUtf8(path));
    return content;
}

// 64-bit FNV-1a of the file's bytes: detects a changed database, not a forged one.
std::string FileStamp(const fs::path& path) {
    const std::string content = ReadWholeFile(path);
    uint64_t hash = 0xCBF29CE484222325ull;
    for (const char c : content) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ull;
    }
    char text[64];
    std::snprintf(text, sizeof text, "fnv1a64 %016" PRIx64 " %zu", hash, content.size());
    return text;
}

std::optional<std::string> ReadStamp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string stamp;
    if (!in || !std::getline(in, stamp)) return std::nullopt;
    return stamp;
}

// Writes next to the destination and renames over it, so a reader never sees half a file.
void ReplaceFile(const fs::path& temporary, const fs::path& destination) {
    std::error_code error;
    fs::rename(temporary, destination, error);
    if (error) {
        Refuse("cannot rename " + PathUtf8(temporary) + " to " + PathUtf8(destination) + ": " +
               error.message());
    }
}

void WriteStamp(const fs::path& path, const std::string& stamp) {
    const fs::path temporary = fs::path(path).concat(".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << stamp << '\n';
        out.close();
        if (!out) Refuse("cannot write " + PathUtf8(temporary));
    }
    ReplaceFile(temporary, path);
}

// Removes the temporary database (and a journal SQLite may have left) unless disarmed.
class TemporaryFiles {
public:
    explicit TemporaryFiles(fs::path path) : path(std::move(path)) { Remove(); }
    ~TemporaryFiles() {
        if (armed) Remove();
    }
    void Disarm() { armed = false; }

private:
    void Remove() {
        std::error_code ignored;
        fs::remove(path, ignored);
        fs::remove(fs::path(path).concat("-journal"), ignored);
    }
    fs::path path;
    bool armed = true;
};

void WriteTables(const fs::path& file, const std::vector<TSeedTable>& tables) {
    TSqliteDatabase db(PathUtf8(file), TOpenMode::Create);
    // Rollback journal, flushed at every commit: the shipped file is one self-contained file.
    db.Exec("PRAGMA journal_mode=DELETE");
    db.Exec("PRAGMA synchronous=FULL");
    TSqliteTransaction transaction(db);
    for (const TSeedTable& table : tables) {
        std::string create = "CREATE TABLE " + QuoteIdentifier(table.name) + " (";
        std::string insert = "INSERT INTO " + QuoteIdentifier(table.name) + " VALUES (";
        for (size_t c = 0; c < table.columns.size(); ++c) {
            const char* type = table.columns[c] == kDesignationColumn ? " TEXT" : " REAL";
            create += (c ? ", " : "") + QuoteIdentifier(table.columns[c]) + type;
            insert += c ? ", ?" : "?";
        }
        db.Exec(create + ")");
        TSqliteStatement statement = db.Prepare(insert + ")");
        for (const std::vector<TSeedValue>& row : table.rows) {
            for (size_t c = 0; c < row.size(); ++c) {
                const int index = int(c) + 1;
                if (const double* number = std::get_if<double>(&row[c])) {
                    statement.BindReal(index, *number);
                } else if (const std::string* text = std::get_if<std::string>(&row[c])) {
                    statement.BindText(index, *text);
                } else {
                    statement.BindNull(index);
                }
            }
            statement.Step();
            statement.Reset();
        }
    }
    transaction.Commit();
    db.Close();
}

}  // namespace

TSeedTable ParseSectionCsv(std::string_view content, std::string name,
                           const std::string& fileLabel) {
    TSeedTable table;
    table.name = std::move(name);
    if (table.name.empty() || !IsValidUtf8(table.name)) {
        Refuse(fileLabel + ": the file name is no usable table name");
    }
    std::vector<CsvRecord> records = CsvReader(content, fileLabel).ReadAll();
    if (records.empty()) Refuse(fileLabel + ": no header row");

    const CsvRecord& header = records.front();
    std::vector<std::string> headerNames;
    for (const CsvField& field : header.fields) headerNames.push_back(field.text);
    auto clashes = [](const std::vector<std::string>& names, std::string_view name) {
        return std::any_of(names.begin(), names.end(),
                           [name](const std::string& other) { return SameTextAscii(other, name); });
    };
    for (size_t c = 0; c < header.fields.size(); ++c) {
        const std::string& text = header.fields[c].text;
        const std::string where = fileLabel + ":" + std::to_string(header.fields[c].line) +
                                  ": column " + std::to_string(c + 1) + ": ";
        if (text.empty()) Refuse(where + "empty column name");
        if (!IsValidUtf8(text)) Refuse(where + "column name is not UTF-8");
        if (std::find(headerNames.begin(), headerNames.begin() + c, text) !=
            headerNames.begin() + c) {
            Refuse(where + "column name " + Quoted(text) + " appears twice");
        }
        // SQLite compares names ignoring ASCII case, so "b" after "B" (the short and long leg of
        // an unequal angle) would be the same column: store it under the first "b_2", "b_3", ...
        // that no other column uses, and say so.
        std::string name = text;
        for (int n = 2;
             clashes(table.columns, name) || (name != text && clashes(headerNames, name)); ++n) {
            name = text + "_" + std::to_string(n);
        }
        if (name != text) {
            table.warnings.push_back(where + "column " + Quoted(text) + " is stored as " +
                                     Quoted(name) +
                                     ": SQLite does not tell names apart by letter case");
        }
        table.columns.push_back(name);
    }

    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        if (record.fields.size() != table.columns.size()) {
            Refuse(fileLabel + ":" + std::to_string(record.line) + ": " +
                   std::to_string(record.fields.size()) + " fields where the header has " +
                   std::to_string(table.columns.size()));
        }
        std::vector<TSeedValue> row;
        for (size_t c = 0; c < record.fields.size(); ++c) {
            const CsvField& field = record.fields[c];
            const std::string where = fileLabel + ":" + std::to_string(field.line) + ": column " +
                                      std::to_string(c + 1) + " " + Quoted(table.columns[c]) + ": ";
            if (!IsValidUtf8(field.text)) Refuse(where + "text is not UTF-8");
            if (field.text.empty()) {
                row.emplace_back(std::monostate());
            } else if (table.columns[c] == kDesignationColumn) {
                row.emplace_back(field.text);
            } else {
                row.push_back(ParseNumberCell(field, where));
            }
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

fs::path SeedStampPath(const fs::path& target) { return fs::path(target).concat(".seedstamp"); }

TSeedSummary SeedDatabase(const fs::path& csvDir, const fs::path& target, bool force) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(csvDir, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file() && it->path().extension() == ".csv") files.push_back(it->path());
    }
    if (error) Refuse("cannot list " + PathUtf8(csvDir) + ": " + error.message());
    if (files.empty()) Refuse("no .csv files in " + PathUtf8(csvDir));
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return a.filename().u8string() < b.filename().u8string();
    });

    TSeedSummary summary;
    std::vector<TSeedTable> tables;
    for (const fs::path& file : files) {
        TSeedTable table =
            ParseSectionCsv(ReadWholeFile(file), PathUtf8(file.stem()), PathUtf8(file));
        for (const TSeedTable& other : tables) {
            if (SameTextAscii(other.name, table.name)) {
                Refuse(PathUtf8(file) + ": table " + Quoted(table.name) + " repeats " +
                       Quoted(other.name));
            }
        }
        summary.rows += table.rows.size();
        summary.warnings.insert(summary.warnings.end(), table.warnings.begin(),
                                table.warnings.end());
        tables.push_back(std::move(table));
    }
    summary.tables = tables.size();

    // Never clobber a database that changed since it was written here.
    const fs::path stampPath = SeedStampPath(target);
    const bool targetExists = fs::exists(target);
    const std::optional<std::string> currentStamp =
        targetExists ? std::optional(FileStamp(target)) : std::nullopt;
    if (targetExists && !force && ReadStamp(stampPath) != currentStamp) {
        Refuse(PathUtf8(target) +
               " differs from the database seeddb last wrote there (edited in place?); it is "
               "left as it is. Use --force to replace it.");
    }

    const fs::path temporary = fs::path(target).concat(".tmp");
    TemporaryFiles cleanup(temporary);
    WriteTables(temporary, tables);
    const std::string newStamp = FileStamp(temporary);
    if (currentStamp == newStamp) {
        WriteStamp(stampPath, newStamp);  // the same bytes: keep the file and its time
        return summary;
    }
    ReplaceFile(temporary, target);
    cleanup.Disarm();
    WriteStamp(stampPath, newStamp);
    summary.written = true;
    return summary;
}
