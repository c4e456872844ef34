// Any bytes as a person command's arguments: the first byte chooses the record and whether the
// note is set or appended, the rest splits at zero bytes into a note, a sex, a date, an hour, a
// name and a place. The note is kept exactly or refused with the store unchanged; a correction
// only ever adds one whole line to DATA.CSV; `person show --json` stays one object.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "cli/casebook_commands.h"
#include "store/quorvel_store.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kData =
    "taro,1,0,1965,3,15,10,\r\n"
    "hanako,0,1,1972,5,7,23:59,\n"
    "\x95\x5c,1,0,1990,1,1,\x95\x73\x96\xbe,\n";  // a Shift-JIS name and hour (表, 不明)

const fs::path& folder() {
    static const fs::path made = [] {
        fs::path path =
            fs::temp_directory_path() / ("quorvel-fuzz-casebook-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    static const bool removedAtExit = std::atexit([] {
                                          std::error_code ignored;
                                          fs::remove_all(folder(), ignored);
                                      }) == 0;
    static_cast<void>(removedAtExit);
    return made;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string field(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return std::string(part);
}

std::string lineOf(int record) {
    std::string_view data = kData;
    for (int n = 1; n < record; ++n) {
        data.remove_prefix(data.find('\n') + 1);
    }
    return std::string(quorvel::personKey(data.substr(0, data.find('\n') + 1)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const fs::path dataPath = folder() / "DATA.CSV";
    std::ofstream(dataPath, std::ios::binary | std::ios::trunc) << kData;
    fs::remove(folder() / "QUORVEL.DB");

    const int record = 1 + data[0] % 3;
    const bool append = (data[0] & 0x10) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string note = field(rest);

    quorvel::QuorvelStore store = quorvel::QuorvelStore::open(folder().string());
    const std::string key = lineOf(record);
    if (store.saveNote(key, "before") != quorvel::StoreWrite::Done) {
        __builtin_trap();
    }
    const quorvel::NoteCheck check = quorvel::checkNote(note);
    const quorvel::StoreWrite outcome =
        append ? store.appendNote(key, note) : store.saveNote(key, note);
    const std::string expected = check != quorvel::NoteCheck::Ok ? "before"
                                 : append && !note.empty()       ? "before\n" + note
                                 : append                        ? "before"
                                                                 : note;
    if ((check == quorvel::NoteCheck::Ok) != (outcome == quorvel::StoreWrite::Done) ||
        store.note(key) != expected) {
        __builtin_trap();
    }

    quorvel::cli::PersonOptions options;
    options.record.file = dataPath.string();
    options.record.number = record;
    options.sex = field(rest);
    options.date = field(rest);
    options.hour = field(rest);
    if (!rest.empty()) {
        options.name = field(rest);
    }
    options.place.place = field(rest);
    std::FILE* sink = std::tmpfile();
    if (sink == nullptr) {
        return 0;
    }
    quorvel::cli::OutputStream out(sink);
    const int status =
        quorvel::cli::runPersonCommand(quorvel::cli::PersonAction::Correct, options, out, sink);
    const std::string after = readAll(dataPath);
    const std::size_t added = after.size() - kData.size();
    if (status < 0 || status > 2 || after.size() < kData.size() ||
        after.compare(0, kData.size(), kData) != 0 || (status != 0 && added != 0) ||
        (added != 0 &&
         (after.back() != '\n' || after.find('\n', kData.size()) + 1 != after.size()))) {
        __builtin_trap();
    }
    std::fclose(sink);

    // The person as JSON: one object on one line, whatever the note and the correction hold.
    std::FILE* shown = std::tmpfile();
    if (shown == nullptr) {
        return 0;
    }
    std::FILE* err = std::tmpfile();
    quorvel::cli::OutputStream json(shown);
    options.record.json = true;
    if (quorvel::cli::runPersonCommand(quorvel::cli::PersonAction::Show, options, json,
                                       err != nullptr ? err : shown) != 0) {
        __builtin_trap();
    }
    json.flush();
    std::rewind(shown);
    std::string text;
    for (int c = 0; (c = std::fgetc(shown)) != EOF;) {
        text += static_cast<char>(c);
    }
    std::fclose(shown);
    if (err != nullptr) {
        std::fclose(err);
    }
    if (!text.starts_with("{\"record\":") || !text.ends_with("]}\n") ||
        text.find('\n') + 1 != text.size()) {
        __builtin_trap();
    }
    return 0;
}
