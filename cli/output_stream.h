#pragma once
// Standard output that keeps the first reason it failed, so that a full disk, a closed stream or
// a reader gone away is reported instead of passing for success.
#include <cstdio>
#include <string_view>

namespace quorvel::cli {

class OutputStream {
  public:
    explicit OutputStream(std::FILE* stream) : stream_(stream) {}

    // False from the first failure on; nothing more is written after it.
    bool write(std::string_view text);
    bool flush();
    // Flushes and closes the stream; a close can be the first to learn of a failed write.
    bool close();

    bool failed() const { return error_ != 0; }
    int error() const { return error_; }

  private:
    bool fail();

    std::FILE* stream_;
    int error_ = 0;
};

// Standard input, output and error that were closed when the program started get /dev/null
// opened the wrong way round in their place: reads and writes on them still fail, as they
// should, and no file the program opens can take their numbers.
void holdClosedStandardStreams();

}  // namespace quorvel::cli
