#pragma once
// Standard output that keeps the first reason it failed, so that a full disk, a closed stream or
// a reader gone away is reported instead of passing for success.
#include <cstdio>
#include <string_view>

namespace quorvel::cli {

class OutputStream {
  public:
    explicit OutputStream(std::FILE* stream);

    // A console window shows the text as characters; it needs to know their encoding.
    void setSjis(bool sjis) { sjis_ = sjis; }
    // A file or a pipe is given the text in this code page; 0 leaves it as it was made.
    void setCodePage(unsigned codePage) { codePage_ = codePage; }

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
    bool console_;
    bool sjis_ = false;
    unsigned codePage_ = 0;
    int error_ = 0;
};

}  // namespace quorvel::cli
