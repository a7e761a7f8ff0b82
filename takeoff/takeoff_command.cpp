#include "takeoff/takeoff_command.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>

#include "forms/text.h"
#include "takeoff/csv_report.h"
#include "takeoff/html_report.h"
#include "takeoff/list_text.h"
#include "takeoff/section_tables.h"
#include "takeoff/takeoff.h"
#include "takeoff/text_report.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "用法: ponderix-takeoff [--db weight.db] [--csv OUT.csv] [--html OUT.html] LIST.csv|-";

struct Options {
    std::string database = "weight.db";
    std::optional<std::string> csv;
    std::optional<std::string> html;
    std::string list;
};

// The command's failures that end it with exit code 2; the message is its one line on stderr.
PONDERIX_EXCEPTION(ECommandFailed, Exception);
// Wrong arguments: the usage line follows the message.
PONDERIX_EXCEPTION(EUsage, ECommandFailed);

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

Options ParseArguments(const std::vector<std::string>& args) {
    Options options;
    std::optional<std::string> list;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--db" || arg == "--csv" || arg == "--html") {
            if (i + 1 == args.size()) throw EUsage(Utf8ToWide(arg + " 后缺少文件名"));
            const std::string& value = args[++i];
            if (arg == "--db") options.database = value;
            if (arg == "--csv") options.csv = value;
            if (arg == "--html") options.html = value;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw EUsage(Utf8ToWide("未知的选项 " + arg));
        } else if (list) {
            throw EUsage(L"只能给出一个清单");
        } else {
            list = arg;
        }
    }
    if (!list) throw EUsage(L"没有给出清单");
    options.list = *list;
    return options;
}

std::string ReadList(const std::string& name, std::istream& standardInput) {
    if (name == "-") {
        return std::string(std::istreambuf_iterator<char>(standardInput), {});
    }
    const fs::path path = PathOf(name);
    std::error_code error;
    if (!fs::exists(path, error)) throw ECommandFailed(Utf8ToWide("清单 '" + name + "' 不存在"));
    if (fs::is_directory(path, error)) {
        throw ECommandFailed(Utf8ToWide("清单 '" + name + "' 是一个文件夹"));
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (!in && !in.eof()) throw ECommandFailed(Utf8ToWide("无法读取清单 '" + name + "'"));
    return bytes;
}

std::unique_ptr<TSectionTables> OpenTables(const std::string& name) {
    std::error_code error;
    if (!fs::is_regular_file(PathOf(name), error)) {
        throw ECommandFailed(Utf8ToWide("型钢数据库 '" + name + "' 不存在（用 --db 指定）"));
    }
    try {
        return std::make_unique<TSectionTables>(name);
    } catch (const Exception& e) {
        throw ECommandFailed(Utf8ToWide("无法打开型钢数据库 '" + name + "'：") + e.Message());
    }
}

void WriteReport(const std::string& name, const std::string& content) {
    std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) throw ECommandFailed(Utf8ToWide("无法写入 '" + name + "'"));
}

int Run(const std::vector<std::string>& args, std::istream& standardInput,
        std::ostream& standardOutput, std::ostream& standardError) {
    const Options options = ParseArguments(args);
    const std::string bytes = ReadList(options.list, standardInput);
    TTakeoffList list;
    try {
        list = ReadTakeoffList(DecodeListText(bytes).utf8);
    } catch (const EListUnreadable& e) {
        const std::string shown = options.list == "-" ? "标准输入" : "'" + options.list + "'";
        throw ECommandFailed(Utf8ToWide("清单 " + shown + " 无法读取：") + e.Message());
    }
    std::unique_ptr<TSectionTables> tables;
    for (const TListLine& line : list.lines) {
        if (NeedsSectionTables(line)) {
            tables = OpenTables(options.database);
            break;
        }
    }
    const TTakeoff takeoff = RunTakeoff(list, tables.get());

    const std::wstring listName = Utf8ToWide(options.list == "-" ? "标准输入" : options.list);
    standardOutput << WideToUtf8(TextReport(takeoff));
    standardOutput.flush();
    if (options.csv) WriteReport(*options.csv, CsvReport(takeoff));
    if (options.html) WriteReport(*options.html, HtmlReport(takeoff, listName));
    if (takeoff.skipped.empty()) return kExitAllWeighed;
    standardError << "ponderix-takeoff: " << takeoff.skipped.size()
                  << " 行未计入合计，原因见“未计入合计的行”\n";
    return kExitLinesLeftOut;
}

}  // namespace

int RunTakeoffCommand(const std::vector<std::string>& args, std::istream& standardInput,
                      std::ostream& standardOutput, std::ostream& standardError) {
    try {
        return Run(args, standardInput, standardOutput, standardError);
    } catch (const Exception& e) {
        standardError << "ponderix-takeoff: " << e.what() << "\n";
        if (dynamic_cast<const EUsage*>(&e)) standardError << kUsage << "\n";
        return kExitUnreadable;
    }
}
