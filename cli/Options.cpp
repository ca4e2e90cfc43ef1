#include "Options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>

#include "LineEnd.h"
#include "ReadingPool.h"

namespace Cli {

namespace {

constexpr unsigned kMostJobs = 256;
constexpr std::string_view kHelpHint = "使い方は midtitle-cli --help で表示します。";

ParsedArguments UsageError(const std::string& message) {
    std::string text = "midtitle-cli: " + message;
    text.append(kLineEnd).append(kHelpHint).append(kLineEnd);
    return {std::nullopt, {}, std::move(text), kUsageError};
}

std::optional<OutputFormat> FormatNamed(std::string_view name) {
    if (name == "report") return OutputFormat::Report;
    if (name == "tsv") return OutputFormat::Tsv;
    if (name == "csv") return OutputFormat::Csv;
    if (name == "json") return OutputFormat::Json;
    return std::nullopt;
}

std::optional<unsigned> JobCount(std::string_view text) {
    unsigned jobs = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (error != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > kMostJobs) return std::nullopt;
    return jobs;
}

// CLI11 says what went wrong in English; the option concerned is the text
// before the first colon of its message.
ParsedArguments FromParseError(const CLI::ParseError& error) {
    const std::string what = error.what();
    if (error.get_name() == "RequiredError") return UsageError("読むファイルかフォルダーを指定してください。");
    const std::string option = what.substr(0, what.find(':'));
    if (error.get_name() == "ArgumentMismatch") {
        if (what.find("missing") != std::string::npos) return UsageError("オプション " + option + " には値が要ります。");
        return UsageError("オプション " + option + " は一度だけ指定できます。");
    }
    return UsageError("引数が正しくありません: " + what);
}

void SetJapaneseLabels(CLI::App& app) {
    const auto formatter = app.get_formatter();
    formatter->label("Usage", "使い方");
    formatter->label("OPTIONS", "オプション");
    formatter->label("Positionals", "引数");
    formatter->label("REQUIRED", "(必須)");
    formatter->column_width(28);
}

}  // namespace

ParsedArguments ParseArguments(std::span<const std::string> arguments, unsigned cores) {
    const unsigned defaultJobs = Services::DefaultReadsAtOnce(cores);
    CLI::App app{"Standard MIDI File のフォーマット、トラック数、分解能とタイトルを表示します。\n"
                 "フォルダーを指定すると、その中のファイルを一つずつ表示します。",
                 "midtitle-cli"};
    SetJapaneseLabels(app);
    app.option_defaults()->group("オプション");
    app.footer("終了ステータス: 0 すべて読めた、1 読めないフォルダーやパスがあった、2 引数の誤り。\n"
               "壊れた MIDI ファイルは結果の一つとして表示し、誤りとはしません。");
    app.set_help_flag("-h,--help", "この説明を表示して終わります");
    app.set_version_flag("--version", std::string("midtitle-cli ") + MIDTITLE_VERSION, "版を表示して終わります");

    Options options;
    std::string format = "report";
    std::string jobs = std::to_string(defaultJobs);
    app.add_flag("-r,--recursive", options.recursive, "サブフォルダーも順にたどります");
    app.add_flag("-L,--dereference", options.followLinks, "フォルダーへのリンクもたどります");
    app.add_option("--format", format, "出力の形式: report（既定）, tsv, csv, json")->type_name("FORMAT");
    app.add_option("--pattern", options.pattern, "表示するファイル名のパターン（既定 \"*.smf;*.mid\"）")
        ->type_name("PATTERN");
    app.add_option("-j,--jobs", jobs, "同時に読むファイルの数（既定 " + std::to_string(defaultJobs) + "、コア数が 8 より多ければコア数）")
        ->type_name("N");
    app.add_flag("--bom", options.byteOrderMark, "CSV の先頭に BOM を付けます（Excel で開くとき）");
    app.add_option("PATH", options.paths, "読むファイルまたはフォルダー（いくつでも）")->type_name("")->required();
    app.allow_extras();

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());  // CLI11 takes them last first
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {std::nullopt, app.help(), {}, 0};
    } catch (const CLI::CallForVersion& version) {
        return {std::nullopt, std::string(version.what()) + "\n", {}, 0};
    } catch (const CLI::ParseError& error) {
        return FromParseError(error);
    }
    for (const std::string& extra : app.remaining()) {
        if (extra != "--") return UsageError("知らないオプションです: " + extra);
    }
    // An unset shell variable must not catalogue the current folder.
    if (std::ranges::any_of(options.paths, &std::string::empty)) return UsageError("空のパスは指定できません。");
    const auto outputFormat = FormatNamed(format);
    if (!outputFormat) return UsageError("形式 " + format + " はありません。report, tsv, csv, json のどれかです。");
    options.format = *outputFormat;
    if (options.byteOrderMark && options.format != OutputFormat::Csv) {
        return UsageError("--bom は --format csv と一緒に指定してください。");
    }
    const auto jobCount = JobCount(jobs);
    if (!jobCount) return UsageError("--jobs には 1 から " + std::to_string(kMostJobs) + " までの数を指定してください。");
    options.jobs = *jobCount;
    return {std::move(options), {}, {}, 0};
}

}  // namespace Cli
