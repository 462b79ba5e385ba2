// The CSV of a batch, read row by row as it arrives: cells split at commas,
// quoted cells may hold commas, line ends and doubled quotes; a line end is
// LF, CR LF or CR; empty lines are no rows.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace involvo::cli {

// Where the bytes of a batch come from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to size bytes into buffer, waiting for at least one; 0 at the end.
    virtual size_t Read(char* buffer, size_t size) = 0;
    // True when a Read would have to wait for more input to arrive (a pipe
    // whose writer is slower than the batch).
    virtual bool Waiting() const { return false; }
    // Why the input could not be read on, when a Read ended it on an error.
    virtual std::string Error() const { return {}; }
};

// A file descriptor: a file, or standard input.
class FileSource : public ByteSource {
public:
    explicit FileSource(int fd) : fd_(fd) {}
    size_t Read(char* buffer, size_t size) override;
    bool Waiting() const override;
    std::string Error() const override { return error_; }

private:
    int fd_;
    std::string error_;
};

// A stream of the standard library.
class StreamSource : public ByteSource {
public:
    explicit StreamSource(std::istream& in) : in_(in) {}
    size_t Read(char* buffer, size_t size) override;

private:
    std::istream& in_;
};

class CsvReader {
public:
    explicit CsvReader(ByteSource& source) : source_(source) {}

    // The next row into cells (its strings reused, its size set to the row's
    // cell count); false at the end of the input.
    bool Next(std::vector<std::string>& cells);
    // The next row the quick way, when it lies whole in what has been read and
    // has no quote and no CR: its cells as views into what has been read,
    // valid until the next call. False, with nothing taken, for any other row
    // (Next reads it then).
    bool NextInPlace(std::vector<std::string_view>& cells);
    // True when the input ended at a row too long to be a gear's (an endless
    // device, or a file that is no CSV): the rest is not read.
    bool TooLong() const { return tooLong_; }
    // Why the input ended early, when it could not be read on ("" otherwise).
    std::string ReadError() const { return source_.Error(); }
    // True when the next row may have to wait for input to arrive.
    bool Waiting() const { return at_ == end_ && !ended_ && source_.Waiting(); }

private:
    // The next character, or -1 at the end.
    int Get() {
        if (at_ == end_ && !Fill()) return -1;
        return static_cast<unsigned char>(buffer_[at_++]);
    }
    int Peek() {
        if (at_ == end_ && !Fill()) return -1;
        return static_cast<unsigned char>(buffer_[at_]);
    }
    bool Fill();

    ByteSource& source_;
    std::array<char, 1 << 16> buffer_;
    size_t at_ = 0, end_ = 0;
    bool ended_ = false, tooLong_ = false;
};

// Splits CSV text into rows of cells.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text);

}  // namespace involvo::cli
