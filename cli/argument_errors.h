#pragma once
// The parser's refusals told in the program's own Japanese, UTF-8 like the rest of standard error
// before it is converted for the console.
#include <CLI/Error.hpp>
#include <string>
#include <string_view>

namespace quorvel::cli {

// What was wrong, then the parser's detail (it names the option) in brackets.
std::string argumentErrorText(const CLI::Error& error, std::string_view detail);

// A first word that is no command, quoted, and where the commands are listed.
std::string unknownCommandText(std::string_view command);

}  // namespace quorvel::cli
