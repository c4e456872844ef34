// quorvel-cli: the Quorvel core from a terminal.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstring>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_tables.h"
#include "cli/argument_errors.h"
#include "cli/casebook_commands.h"
#include "cli/chart_command.h"
#include "cli/compat_command.h"
#include "cli/output_encoding.h"
#include "cli/output_stream.h"
#include "cli/output_text.h"
#include "cli/person_commands.h"
#include "cli/pillar_commands.h"
#include "cli/reading_commands.h"
#include "cli/record_commands.h"
#include "cli/report_command.h"
#include "cli/rule_options.h"
#include "platform/console.h"

namespace {

using namespace quorvel::cli;

constexpr const char* kAbout = "quorvel-cli - Four Pillars charts from the Quorvel core";

// FIRST-LAST stands for the calendar's years, which details() fills in.
constexpr std::string_view kDetails =
    "Commands:\n"
    "  quorvel-cli chart [--json] [--sjis] --sex male|female YYYY-MM-DD HH\n"
    "      The chart of a birth (Japan time, FIRST-LAST, hour 0-23): the year, month, day and\n"
    "      hour pillars, the direction of the luck pillars, the starting age and the ten luck\n"
    "      pillars with the age at which each begins.\n"
    "      --json   one line of JSON instead of the table:\n"
    "               "
    "{\"year\":..,\"month\":..,\"day\":..,\"hour\":..,\"forward\":true,\"startAge\":5,\n"
    "                \"luck\":[ten pillars]}\n"
    "  quorvel-cli chart --json --batch [--sjis]\n"
    "      Reads lines \"YYYY-MM-DD HH male|female\" from standard input and answers each with\n"
    "      one JSON line, in order; a line it cannot compute is answered {\"error\":\"...\"}.\n"
    "      A line longer than 4096 bytes is answered {\"error\":\"データエラー\"} unread.\n"
    "  quorvel-cli chart --record N [--file FILE] [--json] [--sjis]\n"
    "      The chart of record N of the data file (default DATA.CSV): any number records --all\n"
    "      shows; the first ten are the data file dialog's ten, opened as it would open them.\n"
    "      A number without a record, or a record whose sex is neither 男 nor 女, prints\n"
    "      データが誤っています; a birth the calendar cannot compute is refused as a typed one\n"
    "      is.\n"
    "  quorvel-cli chart --full [--json] [--sjis] (--sex male|female YYYY-MM-DD HH | --record N)\n"
    "  quorvel-cli chart --full --json --batch [--sjis]\n"
    "      The full chart (命式表) under the chart, the pillars right to left (three without an\n"
    "      hour): each pillar's stem with its relation to the day stem (the program's label and\n"
    "      the common name, 忍耐(正官)), the branch, the hidden stem in command on the birth date\n"
    "      (司令, by the days since the month's term: 余気, 中気, 本気) with its relation, the\n"
    "      stage of the day stem there (十二運), the special stars (天乙貴人 羊刃 駅馬 魁罡) and\n"
    "      every hidden stem with its days; the void branches (空亡) of the day pillar; the five\n"
    "      elements of the eight characters, and again counting the hidden stems; the sectional\n"
    "      terms before and after the birth to the minute, Japan time; the days since the term\n"
    "      and the table of the hidden stems; a notice when the birth hour lies within two hours\n"
    "      of its month's term. --hidden-table classical|simplified|sanmei chooses the table,\n"
    "      --count-term-day counts the term's day as day 1. The luck start is given to the\n"
    "      month. With --json the chart's object gains one member, every other key kept:\n"
    "        "
    "\"full\":{\"year\":{\"stem\":\"庚\",\"branch\":\"午\",\"relation\":\"忍耐\",\"common\":"
    "\"正官\",\n"
    "                "
    "\"stage\":\"長生\",\"hidden\":[{\"stem\":\"丁\",\"relation\":\"表現\",\"common\":\"食神\"},..]"
    ","
    "\n"
    "                "
    "\"hiddenByDays\":[{\"stem\":\"丙\",\"kind\":\"余気\",\"days\":10},..],\n"
    "                "
    "\"commanding\":{\"stem\":\"己\",\"kind\":\"中気\",\"relation\":\"投資\",\"common\":"
    "\"偏財\"},\"stars\":[]},\n"
    "                "
    "\"month\":{..},\"day\":{..,\"relation\":null,\"common\":null,..},\"hour\":{..},\n"
    "                "
    "\"void\":[\"午\",\"未\"],\"elements\":{\"木\":1,\"火\":3,\"土\":0,\"金\":4,\"水\":0},\n"
    "                \"elementsWithHidden\":{..},\n"
    "                \"terms\":[{\"name\":\"立夏\",\"jst\":\"1990-05-06 "
    "03:35\"},{\"name\":\"芒種\",..}],\n"
    "                \"termNotice\":null,\"daysSinceTerm\":14.25,\"hiddenTable\":\"classical\","
    "\n"
    "                \"countTermDay\":false}\n"
    "      The day stem is the person: its relation and common name are null.\n"
    "  quorvel-cli calendar [--json] [--sjis] (--sex male|female YYYY-MM-DD HH | --record N)\n"
    "                       [--years A-B | --year Y | --month Y-M]\n"
    "      The fortune calendar (運勢暦): by default the years from the birth year to 100 years "
    "on,\n"
    "      each with the age (0 in the year of birth, as the luck pillars count), the year pillar\n"
    "      (from 立春), the marks of its judgement against the day pillar (天運/地運/人運), the "
    "luck\n"
    "      pillar in force (none before the first) and the marks of its judgement. --years A-B\n"
    "      takes other years (from the birth year to 120 years on); --year Y gives the twelve\n"
    "      months of Y, each with the day and hour its term begins; --month Y-M the days of a\n"
    "      month. Months and days are known for FIRST-LAST. With --json one object per line:\n"
    "        "
    "{\"year\":1990,\"age\":0,\"pillar\":\"庚午\",\"luck\":null,\"marks\":[\"●\",\"〇\",..],\n"
    "         \"heaven\":[..],\"earth\":[..],\"human\":[..],\"luckMarks\":[..]}\n"
    "      (\"month\" and \"day\" join it in the rows of months and days; a month's row also has\n"
    "      \"term\", \"termDay\" and \"termHour\"). \"marks\" are those of the judgement's three\n"
    "      parts, in order, as its tables give them; a ☆ only where its marriage line speaks to\n"
    "      the person's sex (the judgement text itself keeps the line for everybody). A period\n"
    "      outside the calendar prints 暦の範囲を確認して下さい。...\n"
    "  quorvel-cli records [--sjis] [FILE]\n"
    "      The records the data file dialog offers, one line each: the slot number, a tab and\n"
    "      the label of the record's button. FILE defaults to DATA.CSV in the working folder;\n"
    "      a missing file prints データファイルがありません and, unlike the dialog, creates\n"
    "      nothing; one that cannot be read (not a plain file, or locked by another program\n"
    "      for more than a few seconds) prints データファイルを読めませんでした.\n"
    "  quorvel-cli records --all [--json] [--hidden] [--sjis] [FILE]\n"
    "      Every record of the data file, not only the dialog's ten: the record number (as\n"
    "      --record takes it), a tab, the line of the file it stands on, a tab and its label.\n"
    "      Lines that hold no whole record are skipped and told on standard error with their\n"
    "      count and numbers; blank lines are not. With --json one object per line:\n"
    "        {\"record\":1,\"line\":1,\"name\":\"山田太郎\",\"sex\":\"男\",\"year\":1990,"
    "\"month\":5,\n"
    "         \"day\":20,\"hour\":10}   (\"sex\" null unless 男 or 女, numbers as the dialog "
    "reads)\n"
    "      A file larger than 32 MB prints データファイルが大きすぎて読めません.\n"
    "      Only the current version of each person is listed, under the number of its line: a\n"
    "      person corrected with `person correct` appears under the corrected line's number,\n"
    "      the line it replaced not at all. --hidden lists the hidden persons too, marked\n"
    "      非表示 after a tab (with --json each object gains \"hidden\":true|false).\n"
    "  quorvel-cli person show N [--json] [--file FILE] [--sjis]\n"
    "      What QUORVEL.DB beside the data file keeps of record N: the record as records --all\n"
    "      shows it, the birthplace (出生地), 訂正済み: M when the person was corrected as\n"
    "      record M, 訂正元: M when this record corrected record M, 非表示 when hidden, the\n"
    "      note (メモ) and the history (鑑定履歴), newest first. With --json one object with the\n"
    "      keys of records --all --json and\n"
    "        "
    "\"place\":\"福岡県\"|null,\"longitude\":130.4181|null,\"note\":\"...\",\"hidden\":false,\n"
    "        \"supersedes\":M|null,[\"supersededBy\":M,]\n"
    "        \"history\":[{\"when\":\"2025-05-20T10:30:00\",\"kind\":\"report\",\"period\":null,\n"
    "                   \"file\":\"山田太郎鑑定書.html\"},..]\n"
    "      \"kind\" is judgement, hexagram, avoidance, report, output or compat; \"period\" the\n"
    "      pillar and where it came from (\"2025年5月 辛巳\", \"大運 庚辰\") or null; \"file\"\n"
    "      the file written or null.\n"
    "  quorvel-cli history N [--json] [--file FILE] [--sjis]\n"
    "      The person's history, newest first: one line per entry (time, kind, period and\n"
    "      file, tab-separated) with the text as it was shown indented under it; with --json\n"
    "      one object per line, the keys above and \"text\".\n"
    "  quorvel-cli person note N (--set TEXT | --append TEXT) [--file FILE]\n"
    "      Replaces the person's note, or adds TEXT as a line at its end. A note holds up to\n"
    "      4000 characters of any script; it is kept in QUORVEL.DB as UTF-8, never in the data\n"
    "      file. --set \"\" removes it. A longer note prints メモは4000字までです... and\n"
    "      changes nothing.\n"
    "  quorvel-cli person hide N, quorvel-cli person unhide N [--file FILE]\n"
    "      Hides the person from records --all, review and the person list (非表示), or shows\n"
    "      them again (表示に戻す). No line of the data file is removed.\n"
    "  quorvel-cli person erase N [--file FILE]\n"
    "      Erases the person's note and history for good (消去), as a client may ask; the\n"
    "      line, the birthplace and any correction stay.\n"
    "  quorvel-cli person correct N --sex male|female YYYY-MM-DD H|H:MM|unknown\n"
    "                             [--place PREFECTURE | --longitude DEG] [--name NAME]\n"
    "                             [--file FILE]\n"
    "      Corrects a mistyped person (訂正): appends the corrected line to the data file,\n"
    "      never rewriting a line, and records in QUORVEL.DB that it replaces record N, so the\n"
    "      note, the history and the hidden mark go with the person. The name and birthplace\n"
    "      stay as they were unless given. Prints the corrected person as records --all lists\n"
    "      it. A corrected record is corrected again through its current line; a correction\n"
    "      that changes nothing prints 訂正する内容がありません.\n"
    "      chart --record, calendar --record and report --record on a corrected record read\n"
    "      that line as it stands and say 訂正済み: M (chart --json: \"supersededBy\":M);\n"
    "      report --record adds the report to the person's history, compat the reading (as\n"
    "      it was shown) to the history of each stored person it names.\n"
    "      A writing command that cannot save (another Quorvel holding QUORVEL.DB for more\n"
    "      than a few seconds, a full disk, a file of a newer Quorvel) says why and exits with\n"
    "      1, changing nothing; a damaged QUORVEL.DB prints データベースを読めませんでした, is\n"
    "      renamed QUORVEL.DB.damaged-YYYYMMDD-HHMMSS and a new one is made.\n"
    "  quorvel-cli review --year Y [--file FILE] [--json] [--sjis]\n"
    "      The yearly review (年運一覧): every person of the data file with the age, the year\n"
    "      pillar of Y and the marks of its judgement, the luck pillar in force and its marks.\n"
    "      Y is 1901-2100, as the 年運一覧 window takes it; any other prints\n"
    "      年を1901から2100の数字で入れて下さい.\n"
    "      Persons whose year shows ★★ (a clash) or a ● come first, marked 注; then the other\n"
    "      persons; then those the year cannot judge (not yet born, beyond the calendar, a\n"
    "      birth or sex the program cannot read), each in file order. With --json one object\n"
    "      per line: {\"record\":3,\"line\":5,\"name\":..,\"judged\":true,\"warned\":true,"
    "\"age\":26,\n"
    "         \"pillar\":\"丙午\",\"marks\":[..],\"luck\":\"庚辰\",\"luckMarks\":[..]}, or\n"
    "         {\"record\":..,\"line\":..,\"name\":..,\"judged\":false,\"reason\":\"...\"}.\n"
    "  quorvel-cli report (--record N [--file FILE] |\n"
    "                      --sex male|female YYYY-MM-DD HH --name NAME)\n"
    "                     [-o FILE] [--date YYYY-MM-DD] [--with M] [--sjis]\n"
    "      The report (鑑定書) of a person as one HTML file (UTF-8, its own style sheet, no\n"
    "      network or script needed; laid out for the screen and A4 paper): name, sex, birth\n"
    "      and age; the full chart (命式表); the luck periods as a timeline with their marks;\n"
    "      the years of the current and the next luck period with their marks; the whole\n"
    "      judgement of the current year and of the current luck period; the hexagram reading\n"
    "      of the current year (both readings for a day pillar of the centre number). The\n"
    "      current year and the age count from --date, by default today (a day before the\n"
    "      birth prints データエラー). The file is NAME鑑定書.html in the working folder, by the\n"
    "      program's file name rules, or -o FILE; its path is printed. A name of more\n"
    "      than 30 bytes in Shift-JIS, or with a character Shift-JIS lacks, is refused, and an\n"
    "      empty name or one of blanks only prints 氏名を入力して下さい; a\n"
    "      file that cannot be written prints ファイルに出力できませんでした and exits with\n"
    "      1, leaving any old file whole. --with M, a second person named as compat names\n"
    "      one (a record number of the data file, or SEX,DATE,TIME[,NAME[,PLACE]]), adds a 相性\n"
    "      section: both charts, the findings of compat, the years from this one for both.\n"
    "  quorvel-cli compat A B [--years N] [--date YYYY-MM-DD] [--json] [--sjis]\n"
    "                    [--file FILE] [the rule options of chart]\n"
    "      相性: what two persons' charts say of each other. A and B are each a record number\n"
    "      (as records --all shows it, from --file, default DATA.CSV) or\n"
    "      SEX,DATE,TIME[,NAME[,PLACE]], e.g. female,1992-03-01,8:40,花子,福岡県 (TIME H, H:MM\n"
    "      or unknown; PLACE a prefecture, taking the place of --place for that person). The\n"
    "      rule options of chart apply to both. It tells the day stems' relations both ways\n"
    "      and 干合; every pair of one's branch and the other's in 支合, 半会 (申子・子辰,\n"
    "      亥卯・卯未, 寅午・午戌, 巳酉・酉丑), 冲, 刑 (寅巳申, 丑戌未, 子卯, 辰午酉亥 each with\n"
    "      itself) or 害, the day branches first; whole 三合 the two hold together, each holding\n"
    "      at least one of its branches; 天戦地冲 between the day pillars; one's day branch\n"
    "      among the other's void (空亡); the five elements of both and those one lacks that\n"
    "      the other has; then the years ahead: this year (of --date, default today) and the\n"
    "      N - 1 after it (default 11, at most 120), each person's year marks as the calendar\n"
    "      gives them and whom the year threatens (● or ★★ among its marks, as the review\n"
    "      warns); a short text for each finding and a summary. With --json one line:\n"
    "        {\"persons\":[{\"name\":..,\"year\":..,\"month\":..,\"day\":..,\"hour\":..},{..}],\n"
    "         \"dayStems\":{\"aToB\":{\"relation\":\"学問\",\"common\":\"印綬\"},\"bToA\":{..},\n"
    "                     \"combine\":false},\n"
    "         \"branches\":[{\"a\":\"年支\",\"b\":\"日支\",\"relation\":[\"冲\"]},..],\n"
    "         \"trios\":[\"申子辰\"],\"heavenWarEarthClash\":false,\n"
    "         \"void\":{\"aDayInBVoid\":true,\"bDayInAVoid\":false},\"yearVoid\":{..},\n"
    "         \"elements\":{\"a\":{\"木\":1,..},\"b\":{..},\"aLacks\":[\"土\"],\"bLacks\":[]},\n"
    "         \"years\":[{\"year\":2025,\"pillar\":\"乙巳\",\"a\":[marks],\"b\":[marks],\n"
    "                   \"threatened\":\"neither\"|\"a\"|\"b\"|\"both\"},..]}\n"
    "      aToB is what A's day stem is to B (B the base, as a chart names the stems around\n"
    "      its day stem), bToA what B's is to A. A year before a person's birth has no marks\n"
    "      for that person ([]) and threatens nobody. A count of years outside 1-120 prints\n"
    "      年数は1から120までの数で入れて下さい.\n"
    "  quorvel-cli judge [--period luck|calendar] [--sjis] BASE RUNNING\n"
    "      The fortune judgement (天運, 地運, 人運) of a base pillar (normally the day pillar)\n"
    "      for a running pillar, e.g. `quorvel-cli judge 甲子 丙午`. --period luck judges a\n"
    "      ten-year luck period, --period calendar (the default) a year, month or day; they\n"
    "      differ in the clash sentence. The text is printed on one line, as stored.\n"
    "      A text that is not one of the sixty pillars prints the program's message for its\n"
    "      side (生日干支 for the base, 行運干支 for the running pillar) and exits with 2.\n"
    "  quorvel-cli hexagram [--dun yang|yin] [--sjis] BASE RUNNING\n"
    "      The reading of human relations (人運の判断) through a hexagram, exactly as the program\n"
    "      keeps it (it begins with a line feed). A base pillar whose star number is 5 needs\n"
    "      --dun yang (陽遁) or --dun yin (陰遁); without it the program's message\n"
    "      陽遁か陰遁か選択して下さい is printed and the exit status is 2.\n"
    "  quorvel-cli avoid [--sjis] BASE RUNNING\n"
    "      The avoidance method (避凶造命法) for the period, exactly as the program keeps it: the\n"
    "      stem to use where the 天運 is bad, otherwise the sentence that none is needed.\n"
    "  quorvel-cli COMMAND --help, quorvel-cli --help, quorvel-cli --version\n"
    "\n"
    "Text is UTF-8 unless --sjis asks for Shift-JIS (code page 932). On Windows, text for a\n"
    "file or a pipe follows the console's code page (932 on Japanese Windows, so that more\n"
    "and findstr show it) unless --utf8 or --sjis is given; JSON stays UTF-8 unless --sjis\n"
    "is given; a console window shows every text whatever its code page.\n"
    "A refused birth or record prints the program's message on standard error and exits with 2:\n"
    "  データエラー                 malformed input or a date that does not exist\n"
    "  年データを確認して下さい     a year outside FIRST-LAST\n"
    "  時刻データを確認して下さい   an hour outside 0-23\n"
    "  男性か女性を指定して下さい   --sex missing or not male/female\n"
    "Wrong arguments exit with 2 as well. Output that cannot be written, or standard input that\n"
    "cannot be read, is reported on standard error and exits with 1.";

std::string details() {
    constexpr std::string_view kRange = "FIRST-LAST";
    const std::string years =
        std::to_string(quorvel::kFirstTableYear) + "-" + std::to_string(quorvel::kLastTableYear);
    std::string text(kDetails);
    for (std::size_t at = 0; (at = text.find(kRange, at)) != std::string::npos;) {
        text.replace(at, kRange.size(), years);
    }
    return text;
}

struct Options {
    ChartOptions chart;
    CalendarOptions calendar;
    PillarOptions pillars;
    RecordOptions records;
    bool allRecords = false;
    ReviewOptions review;
    ReportOptions report;
    PersonOptions person;
    std::string setNote, appendNote, name;
    CompatOptions compat;
    EncodingFlags encoding;
};

// The usage line printed after an argument error.
struct Command {
    CLI::App* app;
    const char* usage;
};

void addEncodingFlags(CLI::App& command, EncodingFlags& encoding) {
    CLI::Option* sjis = command.add_flag("--sjis", encoding.sjis,
                                         "Shift-JIS (code page 932) output instead of UTF-8");
    command
        .add_flag("--utf8", encoding.utf8,
                  "UTF-8 output to a file or a pipe, whatever the console's code page")
        ->excludes(sjis);
}

void addPillars(CLI::App& command, PillarOptions& pillars, EncodingFlags& encoding) {
    command
        .add_option("BASE", pillars.base, "the base pillar, e.g. 甲子 (normally the day pillar)")
        ->required();
    command.add_option("RUNNING", pillars.running, "the running pillar")->required();
    addEncodingFlags(command, encoding);
}

// A message quotes at most this much of an argument, however long the argument is.
constexpr std::size_t kQuotedBytes = 64;

// The first kQuotedBytes of `text`, ended on a UTF-8 character boundary, and "..." if cut.
std::string quoted(std::string_view text) {
    if (text.size() <= kQuotedBytes) {
        return std::string(text);
    }
    std::size_t end = kQuotedBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) {
        --end;
    }
    return std::string(text.substr(0, end)) + "...";
}

// The parser's message with every long argument, or long value after "=", cut to its quote.
std::string withShortQuotes(std::string message, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const std::size_t equals = argument.find('=');
        for (const std::string_view part :
             {argument, equals == std::string_view::npos ? std::string_view()
                                                         : argument.substr(equals + 1)}) {
            if (part.size() <= kQuotedBytes) {
                continue;
            }
            const std::string shortened = quoted(part);
            for (std::size_t at = 0; (at = message.find(part, at)) != std::string::npos;
                 at += shortened.size()) {
                message.replace(at, part.size(), shortened);
            }
        }
    }
    return message;
}

int usageError(std::span<const Command> commands, int argc, char** argv, const CLI::Error& error) {
    const std::string message = argumentErrorText(error, withShortQuotes(error.what(), argc, argv));
    for (const Command& command : commands) {
        if (command.app->parsed()) {
            tellConverted(
                stderr,
                "quorvel-cli " + command.app->get_name() + ": " + message + "\n" + command.usage,
                false);
            return 2;
        }
    }
    if (argc > 1 && argv[1][0] != '-') {
        tellConverted(stderr, "quorvel-cli: " + unknownCommandText(quoted(argv[1])), false);
    } else {
        tellConverted(stderr, "quorvel-cli: " + message, false);
    }
    return 2;
}

// Exactly the digits of a record number that `records --all` shows: no blank, sign, leading zero
// or other base.
CLI::Validator recordNumber() {
    return CLI::Validator(
        [](std::string& value) -> std::string {
            bool digits = !value.empty() && value.size() <= 9 && value[0] != '0';
            for (const char c : value) {
                digits = digits && c >= '0' && c <= '9';
            }
            return digits ? "" : "Value " + value + " is not a record number";
        },
        "N");
}

// How the birth is read and where it happened; the printed tables' reading unless asked.
void addRuleOptions(CLI::App& command, RuleOptions& rules) {
    command
        .add_option("--rules", rules.rules,
                    "classic (the default: the printed tables' reading) or precise (summer time "
                    "applied, exact terms, local mean time where the birthplace is known)")
        ->check(CLI::IsMember({"classic", "precise"}));
    command
        .add_option("--summer-time", rules.summerTime,
                    "ignore, or apply Japan's summer time of 1948-1951 (an hour ahead)")
        ->check(CLI::IsMember({"ignore", "apply"}));
    CLI::Option* place =
        command.add_option("--place", rules.place, "the birthplace: a prefecture, 福岡県 or 福岡");
    CLI::Option* longitude = command.add_option(
        "--longitude", rules.longitude, "the birthplace's longitude, degrees east, 120-155");
    place->excludes(longitude);
    command
        .add_option("--solar-time", rules.solarTime,
                    "clock (Japan Standard Time), mean (local mean time) or true (apparent "
                    "solar time) of the birthplace, for the day and hour pillars")
        ->check(CLI::IsMember({"clock", "mean", "true"}));
    command
        .add_option("--day-change", rules.dayChange,
                    "split (23 h takes the next day's 子), 23 (the day turns at 23 h) or 0 (at "
                    "0 h, 23 h taking its own day's 子)")
        ->check(CLI::IsMember({"split", "23", "0"}));
    command
        .add_option("--terms", rules.terms,
                    "table (the printed tables' even hour) or exact (to the minute)")
        ->check(CLI::IsMember({"table", "exact"}));
    command
        .add_option("--hidden-table", rules.hiddenTable,
                    "the table of the days each hidden stem commands: classical (the default), "
                    "simplified or sanmei")
        ->check(CLI::IsMember({"classical", "simplified", "sanmei"}));
    command.add_flag("--count-term-day", rules.countTermDay,
                     "count the term's own day as day 1 when choosing the commanding hidden stem");
}

int run(int argc, char** argv, OutputStream& out) {
    Options o;
    CLI::App app{kAbout, "quorvel-cli"};
    app.set_version_flag("--version", "quorvel-cli " QUORVEL_VERSION, "Print the version and exit");
    app.require_subcommand(1);

    CLI::App& chart = *app.add_subcommand(
        "chart", "The chart of a birth, of a stored record, or of each line of standard input");
    CLI::Option* json = chart.add_flag("--json", o.chart.json, "one line of JSON");
    chart.add_flag("--full", o.chart.full,
                   "the full chart (命式表) too: relations, the commanding hidden stems, stages, "
                   "special stars, void branches, elements, terms");
    CLI::Option* batch =
        chart.add_flag("--batch", o.chart.batch,
                       "answer each line \"YYYY-MM-DD HH male|female\" of standard input");
    addEncodingFlags(chart, o.encoding);
    CLI::Option* sex = chart.add_option("--sex", o.chart.sex, "male or female");
    CLI::Option* record =
        chart.add_option("--record", o.records.number, "the chart of record N of the data file")
            ->check(recordNumber());
    chart.add_option("--file", o.records.file, "the data file of --record (default DATA.CSV)")
        ->needs(record);
    CLI::Option* date = chart.add_option("DATE", o.chart.date, "the day of birth, YYYY-MM-DD");
    CLI::Option* hour =
        chart.add_option("HOUR", o.chart.hour, "the time of birth: H, H:MM or unknown");
    addRuleOptions(chart, o.chart.rules);
    batch->needs(json)->excludes(sex)->excludes(date)->excludes(record);
    record->excludes(sex)->excludes(date);
    chart.footer(
        "A refused birth prints the program's message on standard error and exits with 2.");

    CLI::App& calendar = *app.add_subcommand(
        "calendar", "The fortune calendar (運勢暦) of a birth or of a stored record");
    calendar.add_flag("--json", o.calendar.json, "one line of JSON per row");
    addEncodingFlags(calendar, o.encoding);
    CLI::Option* calendarSex = calendar.add_option("--sex", o.calendar.sex, "male or female");
    CLI::Option* calendarRecord = calendar
                                      .add_option("--record", o.calendar.record.number,
                                                  "the calendar of record N of the data file")
                                      ->check(recordNumber());
    calendar
        .add_option("--file", o.calendar.record.file,
                    "the data file of --record (default DATA.CSV)")
        ->needs(calendarRecord);
    CLI::Option* calendarDate =
        calendar.add_option("DATE", o.calendar.date, "the day of birth, YYYY-MM-DD");
    CLI::Option* calendarHour =
        calendar.add_option("HOUR", o.calendar.hour, "the time of birth: H, H:MM or unknown");
    addRuleOptions(calendar, o.calendar.rules);
    CLI::Option* years =
        calendar.add_option("--years", o.calendar.years, "the years A-B (default: 100 years)");
    CLI::Option* year = calendar.add_option("--year", o.calendar.year, "the months of year Y");
    CLI::Option* month = calendar.add_option("--month", o.calendar.month, "the days of month Y-M");
    years->excludes(year)->excludes(month);
    year->excludes(month);
    calendarRecord->excludes(calendarSex)->excludes(calendarDate);
    calendar.footer(
        "A refused birth, record or period prints the program's message on standard error and "
        "exits with 2.");

    CLI::App& judge = *app.add_subcommand("judge", "The fortune judgement (天運, 地運, 人運)");
    judge
        .add_option("--period", o.pillars.choice,
                    "luck: a ten-year luck period; calendar (the default): a year, month or day")
        ->check(CLI::IsMember({"luck", "calendar"}));
    addPillars(judge, o.pillars, o.encoding);

    CLI::App& hexagram =
        *app.add_subcommand("hexagram", "The reading of human relations (人運の判断)");
    hexagram
        .add_option("--dun", o.pillars.choice, "陽遁 or 陰遁, for a base pillar whose number is 5")
        ->check(CLI::IsMember({"yang", "yin"}));
    addPillars(hexagram, o.pillars, o.encoding);

    CLI::App& avoid = *app.add_subcommand("avoid", "The avoidance method (避凶造命法)");
    addPillars(avoid, o.pillars, o.encoding);

    CLI::App& records = *app.add_subcommand("records", "The records of the data file");
    records.add_option("FILE", o.records.file, "the data file (default DATA.CSV)");
    addEncodingFlags(records, o.encoding);
    CLI::Option* all = records.add_flag(
        "--all", o.allRecords, "every record with its line number, not only the dialog's ten");
    records.add_flag("--json", o.records.json, "one line of JSON per record (with --all)")
        ->needs(all);

    CLI::App& review = *app.add_subcommand(
        "review", "The yearly review (年運一覧): every person of the data file for one year");
    review.add_option("--year", o.review.year, "the year Y")->required();
    review.add_option("--file", o.review.records.file, "the data file (default DATA.CSV)");
    review.add_flag("--json", o.review.records.json, "one line of JSON per person");
    addEncodingFlags(review, o.encoding);

    CLI::App& report = *app.add_subcommand(
        "report", "The report (鑑定書) of a stored or typed person, as one HTML file");
    CLI::Option* reportRecord = report
                                    .add_option("--record", o.report.record.number,
                                                "the report of record N of the data file")
                                    ->check(recordNumber());
    report
        .add_option("--file", o.report.record.file, "the data file of --record (default DATA.CSV)")
        ->needs(reportRecord);
    CLI::Option* reportSex = report.add_option("--sex", o.report.sex, "male or female");
    CLI::Option* reportName = report.add_option("--name", o.report.name, "the person's name");
    CLI::Option* reportDate =
        report.add_option("DATE", o.report.date, "the day of birth, YYYY-MM-DD");
    CLI::Option* reportHour =
        report.add_option("HOUR", o.report.hour, "the time of birth: H, H:MM or unknown");
    addRuleOptions(report, o.report.rules);
    report.add_option("-o,--output", o.report.output,
                      "the file to write (default NAME鑑定書.html in the working folder)");
    report.add_option("--date", o.report.today, "the day the report is made (default today)");
    report.add_option("--with", o.report.with,
                      "a second person, for a 相性 section: a record number or "
                      "SEX,DATE,TIME[,NAME[,PLACE]]");
    addEncodingFlags(report, o.encoding);
    reportRecord->excludes(reportSex)->excludes(reportName)->excludes(reportDate);
    reportSex->needs(reportName);
    reportName->needs(reportSex);

    records.add_flag("--hidden", o.records.withHidden, "the hidden persons too (with --all)")
        ->needs(all);

    CLI::App& person = *app.add_subcommand(
        "person",
        "What QUORVEL.DB keeps of a stored person: show, note, hide, unhide, erase, "
        "correct");
    person.require_subcommand(1);
    RecordOptions& personRecord = o.person.record;
    const auto addRecord = [&](CLI::App& command) {
        command.add_option("N", personRecord.number, "the record number records --all shows")
            ->required()
            ->check(recordNumber());
        command.add_option("--file", personRecord.file, "the data file (default DATA.CSV)");
        addEncodingFlags(command, o.encoding);
    };
    CLI::App& personShow = *person.add_subcommand(
        "show", "The person's record, birthplace, note and history (鑑定履歴)");
    addRecord(personShow);
    personShow.add_flag("--json", personRecord.json, "one line of JSON");
    CLI::App& personNote =
        *person.add_subcommand("note", "Sets or extends the person's note (メモ)");
    addRecord(personNote);
    CLI::Option* setNote =
        personNote.add_option("--set", o.setNote, "the whole note (empty: none)");
    CLI::Option* appendNote =
        personNote.add_option("--append", o.appendNote, "a line added to the end of the note");
    setNote->excludes(appendNote);
    CLI::App& personHide =
        *person.add_subcommand("hide", "Hides the person from the list (非表示)");
    addRecord(personHide);
    CLI::App& personUnhide =
        *person.add_subcommand("unhide", "Shows a hidden person again (表示に戻す)");
    addRecord(personUnhide);
    CLI::App& personErase =
        *person.add_subcommand("erase", "Erases the person's note and history for good (消去)");
    addRecord(personErase);
    CLI::App& personCorrect = *person.add_subcommand(
        "correct", "Appends a corrected line for the person and records the correction (訂正)");
    addRecord(personCorrect);
    personCorrect.add_option("--sex", o.person.sex, "male or female")->required();
    personCorrect.add_option("DATE", o.person.date, "the day of birth, YYYY-MM-DD")->required();
    personCorrect.add_option("HOUR", o.person.hour, "the time of birth: H, H:MM or unknown")
        ->required();
    CLI::Option* correctName =
        personCorrect.add_option("--name", o.name, "the name (default: the name as it stands)");
    CLI::Option* correctPlace = personCorrect.add_option(
        "--place", o.person.place.place,
        "the birthplace: a prefecture, 福岡県 or 福岡 (default: the birthplace kept)");
    CLI::Option* correctLongitude =
        personCorrect.add_option("--longitude", o.person.place.longitude,
                                 "the birthplace's longitude, degrees east, 120-155");
    correctPlace->excludes(correctLongitude);

    CLI::App& history =
        *app.add_subcommand("history", "The history (鑑定履歴) of a stored person, newest first");
    addRecord(history);
    history.add_flag("--json", personRecord.json, "one line of JSON per entry");

    CLI::App& compat = *app.add_subcommand(
        "compat", "相性: two persons' charts side by side, their bonds and the years ahead");
    compat.add_option("A", o.compat.a.text, "a record number, or SEX,DATE,TIME[,NAME[,PLACE]]")
        ->required();
    compat.add_option("B", o.compat.b.text, "the other person, the same way")->required();
    compat.add_option("--file", o.compat.a.file,
                      "the data file of record numbers (default DATA.CSV)");
    compat.add_option("--years", o.compat.years, "this year and the N - 1 after it (default 11)");
    compat.add_option("--date", o.compat.today, "the day that counts as today (default today)");
    compat.add_flag("--json", o.compat.json, "one line of JSON");
    addRuleOptions(compat, o.compat.rules);
    addEncodingFlags(compat, o.encoding);

    // After the subcommands, which would take it over otherwise.
    app.footer(details());

    // `quorvel-cli help` has always shown the help.
    CLI::App& help = *app.add_subcommand("help")->group("");

    const Command commands[] = {
        {&chart,
         "usage: quorvel-cli chart [--json] [--sjis] --sex male|female YYYY-MM-DD H|H:MM|unknown\n"
         "                         [--rules classic|precise] [--summer-time ignore|apply]\n"
         "                         [--place PREFECTURE | --longitude DEG]\n"
         "                         [--solar-time clock|mean|true] [--day-change split|23|0]\n"
         "                         [--terms table|exact]\n"
         "                         [--hidden-table classical|simplified|sanmei] "
         "[--count-term-day]\n"
         "       quorvel-cli chart --json --batch [--sjis] < lines of \"YYYY-MM-DD HH "
         "male|female\"\n"
         "       quorvel-cli chart --record N [--file FILE] [--json] [--sjis]\n"
         "       quorvel-cli chart --full [--json] [--sjis] ...\n"},
        {&calendar,
         "usage: quorvel-cli calendar [--json] [--sjis] --sex male|female YYYY-MM-DD HH\n"
         "                            [--years A-B | --year Y | --month Y-M]\n"
         "       quorvel-cli calendar --record N [--file FILE] [--json] [--sjis] [...]\n"},
        {&judge, "usage: quorvel-cli judge [--period luck|calendar] [--sjis] BASE RUNNING\n"},
        {&hexagram, "usage: quorvel-cli hexagram [--dun yang|yin] [--sjis] BASE RUNNING\n"},
        {&avoid, "usage: quorvel-cli avoid [--sjis] BASE RUNNING\n"},
        {&records,
         "usage: quorvel-cli records [--sjis] [FILE]\n"
         "       quorvel-cli records --all [--json] [--hidden] [--sjis] [FILE]\n"},
        {&review, "usage: quorvel-cli review --year Y [--file FILE] [--json] [--sjis]\n"},
        {&report,
         "usage: quorvel-cli report --record N [--file FILE] [-o FILE] [--date YYYY-MM-DD]\n"
         "       quorvel-cli report --sex male|female YYYY-MM-DD HH --name NAME [-o FILE] [...]\n"
         "       ... [--with N | --with SEX,DATE,TIME[,NAME[,PLACE]]]\n"},
        {&person,
         "usage: quorvel-cli person show N [--json] [--file FILE] [--sjis]\n"
         "       quorvel-cli person note N (--set TEXT | --append TEXT) [--file FILE]\n"
         "       quorvel-cli person hide|unhide|erase N [--file FILE]\n"
         "       quorvel-cli person correct N --sex male|female YYYY-MM-DD H|H:MM|unknown\n"
         "                                [--place PREFECTURE | --longitude DEG] [--name NAME]\n"
         "                                [--file FILE]\n"},
        {&history, "usage: quorvel-cli history N [--json] [--file FILE] [--sjis]\n"},
        {&compat,
         "usage: quorvel-cli compat A B [--years N] [--date YYYY-MM-DD] [--json] [--sjis]\n"
         "                         [--file FILE] [--rules classic|precise] [...]\n"
         "       A, B: a record number, or SEX,DATE,TIME[,NAME[,PLACE]]\n"},
        {&help, ""},
    };

    const unsigned console = quorvel::platform::consoleOutputCodePage();
    setErrorCodePage(outputCodePage({}, false, console));
    if (argc <= 1) {
        tellConverted(stderr, app.help(), false);
        return 2;
    }
    try {
        app.parse(argc, argv);
        if (chart.parsed() && o.records.number == 0 && !o.chart.batch && hour->count() == 0) {
            throw CLI::RequiredError("a birth date and hour are needed",
                                     CLI::ExitCodes::RequiredError);
        }
        if (calendar.parsed() && o.calendar.record.number == 0 && calendarHour->count() == 0) {
            throw CLI::RequiredError("a birth date and hour are needed",
                                     CLI::ExitCodes::RequiredError);
        }
        if (personNote.parsed() && setNote->count() + appendNote->count() != 1) {
            throw CLI::RequiredError("--set TEXT or --append TEXT is needed",
                                     CLI::ExitCodes::RequiredError);
        }
        if (report.parsed() && o.report.record.number == 0 &&
            (reportHour->count() == 0 || reportName->count() == 0)) {
            throw CLI::RequiredError("--record N, or a birth date and hour with --name, is needed",
                                     CLI::ExitCodes::RequiredError);
        }
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() != 0) {
            return usageError(commands, argc, argv, error);
        }
        std::ostringstream text;
        std::ostringstream unused;
        app.exit(error, text, unused);
        out.setCodePage(outputCodePage({.utf8 = o.encoding.utf8}, false, console));
        out.write(text.str());
        return 0;
    }

    // Every command's texts are made in the one encoding its output takes.
    const bool anyJson = o.chart.json || o.calendar.json || o.records.json ||
                         o.review.records.json || personRecord.json || o.compat.json;
    const unsigned codePage = outputCodePage(o.encoding, anyJson, console);
    const bool sjis = codePage == quorvel::platform::kShiftJisCodePage;
    for (bool* sjisOutput :
         {&o.chart.sjisOutput, &o.calendar.sjisOutput, &o.pillars.sjisOutput, &o.records.sjisOutput,
          &o.review.records.sjisOutput, &o.report.sjisOutput, &personRecord.sjisOutput,
          &o.compat.sjisOutput}) {
        *sjisOutput = sjis;
    }
    out.setSjis(sjis);
    out.setCodePage(codePage);
    setErrorCodePage(outputCodePage(o.encoding, false, console));
    if (help.parsed()) {
        // Not app.help(), which would describe the selected subcommand: this one. It is UTF-8.
        out.setSjis(false);
        out.write(app.get_formatter()->make_help(&app, "quorvel-cli", CLI::AppFormatMode::Normal));
        return 0;
    }
    if (calendar.parsed()) {
        o.calendar.record.sjisOutput = sjis;
        return runCalendarCommand(o.calendar, out, stderr);
    }
    if (chart.parsed() && o.records.number != 0) {
        o.records.json = o.chart.json;
        o.records.full = o.chart.full;
        o.records.sjisOutput = o.chart.sjisOutput;
        o.records.rules = o.chart.rules;
        return runRecordChartCommand(o.records, out, stderr);
    }
    if (chart.parsed()) {
        return runChartCommand(o.chart, 0, out, stderr);
    }
    if (judge.parsed()) {
        return runJudgeCommand(o.pillars, out, stderr);
    }
    if (hexagram.parsed()) {
        return runHexagramCommand(o.pillars, out, stderr);
    }
    if (avoid.parsed()) {
        return runAvoidCommand(o.pillars, out, stderr);
    }
    if (report.parsed()) {
        o.report.record.sjisOutput = sjis;
        return runReportCommand(o.report, out, stderr);
    }
    if (person.parsed() || history.parsed()) {
        if (setNote->count() != 0) {
            o.person.setNote = o.setNote;
        }
        if (appendNote->count() != 0) {
            o.person.appendNote = o.appendNote;
        }
        if (correctName->count() != 0) {
            o.person.name = o.name;
        }
        const std::pair<const CLI::App*, PersonAction> actions[] = {
            {&personShow, PersonAction::Show},   {&personNote, PersonAction::Note},
            {&personHide, PersonAction::Hide},   {&personUnhide, PersonAction::Unhide},
            {&personErase, PersonAction::Erase}, {&personCorrect, PersonAction::Correct},
            {&history, PersonAction::History},
        };
        for (const auto& [command, action] : actions) {
            if (command->parsed()) {
                return runPersonCommand(action, o.person, out, stderr);
            }
        }
    }
    if (compat.parsed()) {
        o.compat.b.file = o.compat.a.file;
        return runCompatCommand(o.compat, out, stderr);
    }
    if (review.parsed()) {
        return runReviewCommand(o.review, out, stderr);
    }
    if (o.allRecords) {
        return runAllRecordsCommand(o.records, out, stderr);
    }
    return runRecordsCommand(o.records, out, stderr);
}

}  // namespace

int main(int argc, char** argv) {
    quorvel::platform::prepareStandardStreams();
    std::vector<std::string> arguments = quorvel::platform::utf8Arguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    OutputStream out(stdout);
    const int status = run(static_cast<int>(arguments.size()), pointers.data(), out);
    if (!out.close()) {
        std::fprintf(stderr, "quorvel-cli: cannot write output: %s\n", std::strerror(out.error()));
        return 1;
    }
    return status;
}
