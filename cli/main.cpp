// quorvel-cli: the Quorvel core from a terminal.
#include <cstdio>
#include <span>
#include <string_view>

#include "cli/chart_command.h"
#include "cli/pillar_commands.h"

namespace {

constexpr std::string_view kHelp =
    "quorvel-cli - Four Pillars charts from the Quorvel core\n"
    "\n"
    "usage:\n"
    "  quorvel-cli chart [--json] [--sjis] --sex male|female YYYY-MM-DD HH\n"
    "      The chart of a birth (Japan time, 1901-2000, hour 0-23): the year, month, day and\n"
    "      hour pillars, the direction of the luck pillars, the starting age and the ten luck\n"
    "      pillars with the age at which each begins.\n"
    "      --json   one line of JSON instead of the table:\n"
    "               "
    "{\"year\":..,\"month\":..,\"day\":..,\"hour\":..,\"forward\":true,\"startAge\":5,\n"
    "                \"luck\":[ten pillars]}\n"
    "  quorvel-cli chart --json --batch [--sjis]\n"
    "      Reads lines \"YYYY-MM-DD HH male|female\" from standard input and answers each with\n"
    "      one JSON line, in order; a line it cannot compute is answered {\"error\":\"...\"}.\n"
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
    "  quorvel-cli --help\n"
    "\n"
    "Output is UTF-8 unless --sjis asks for Shift-JIS (code page 932).\n"
    "A refused birth prints the program's message on standard error and exits with status 2:\n"
    "  データエラー                 malformed input or a date that does not exist\n"
    "  年データを確認して下さい     a year outside 1901-2000\n"
    "  時刻データを確認して下さい   an hour outside 0-23\n"
    "  男性か女性を指定して下さい   --sex missing or not male/female\n";

int usage(std::FILE* stream, int status) {
    std::fwrite(kHelp.data(), 1, kHelp.size(), stream);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const std::span<char* const> args(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0));
    if (args.empty()) {
        return usage(stderr, 2);
    }
    const std::string_view command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        return usage(stdout, 0);
    }
    if (command == "chart") {
        const auto rest = args.subspan(1);
        for (const char* arg : rest) {
            if (std::string_view(arg) == "--help") {
                return usage(stdout, 0);
            }
        }
        return quorvel::cli::runChartCommand(rest, stdin, stdout, stderr);
    }
    using Runner = int (*)(std::span<char* const>, std::FILE*, std::FILE*);
    const struct {
        std::string_view name;
        Runner run;
    } pillarCommands[] = {
        {"judge", quorvel::cli::runJudgeCommand},
        {"hexagram", quorvel::cli::runHexagramCommand},
        {"avoid", quorvel::cli::runAvoidCommand},
    };
    for (const auto& pillarCommand : pillarCommands) {
        if (command != pillarCommand.name) {
            continue;
        }
        const auto rest = args.subspan(1);
        for (const char* arg : rest) {
            if (std::string_view(arg) == "--help") {
                return usage(stdout, 0);
            }
        }
        return pillarCommand.run(rest, stdout, stderr);
    }
    std::fprintf(stderr, "quorvel-cli: unknown command '%s'\n", argv[1]);
    return usage(stderr, 2);
}
