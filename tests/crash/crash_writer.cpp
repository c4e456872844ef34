// The writers alone, for the crash test: everything is read and prepared before a getppid()
// call that marks where the writing begins, so the test kills only inside the writer.
//   crash_writer output NAME TEXT_FILE     writes the text of TEXT_FILE as the result NAME
//   crash_writer append DATA_FILE NAME     appends the record of NAME (if not already there)
//   crash_writer appends DATA_FILE PREFIX N  appends N records PREFIX-0 ... PREFIX-(N-1)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "common/fixed_text.h"
#include "consultation/output_file.h"
#include "records/record_file.h"

namespace {

quorvel::BirthRecord person(const std::string& name, int n) {
    quorvel::BirthRecord record;
    quorvel::copyText(record.name, name);
    record.sex = n % 2 == 0 ? quorvel::Sex::Male : quorvel::Sex::Female;
    record.year = 1901 + n % 100;
    record.month = 1 + n % 12;
    record.day = 1 + n % 28;
    record.hour = n % 24;
    return record;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "output" && argc == 4) {
        std::ifstream in(argv[3], std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string bytes = text.str();
        ::getppid();
        return quorvel::writeOutputFile(argv[2], bytes) ? 0 : 1;
    }
    if (mode == "append" && argc == 4) {
        const quorvel::BirthRecord record = person(argv[3], 0);
        ::getppid();
        // A record a killed run had already stored counts as stored.
        return quorvel::appendRecordLine(argv[2], record) != quorvel::AppendResult::Failed ? 0 : 1;
    }
    if (mode == "appends" && argc == 5) {
        const int count = std::atoi(argv[4]);
        for (int n = 0; n < count; ++n) {
            const quorvel::BirthRecord record =
                person(std::string(argv[3]) + "-" + std::to_string(n), n);
            if (quorvel::appendRecordLine(argv[2], record) != quorvel::AppendResult::Appended) {
                return 1;
            }
        }
        return 0;
    }
    std::fprintf(stderr,
                 "usage: crash_writer output NAME TEXT_FILE | append DATA_FILE NAME | "
                 "appends DATA_FILE PREFIX N\n");
    return 2;
}
