#include "cli/csv_reader.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <istream>
#include <sstream>

namespace involvo::cli {

namespace {

// A gear's row is a few hundred characters; one of these sizes is no row.
constexpr size_t kLongestCell = 1 << 16;
constexpr size_t kMostCells = 1 << 10;

// What a character is to a row: most are nothing.
enum CharKind : uint8_t { Plain, Comma, LineEnd, QuoteOrCR };
constexpr auto kCharKinds = [] {
    std::array<uint8_t, 256> kinds{};
    kinds[','] = Comma;
    kinds['\n'] = LineEnd;
    kinds['"'] = kinds['\r'] = QuoteOrCR;
    return kinds;
}();

}  // namespace

size_t FileSource::Read(char* buffer, size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) return static_cast<size_t>(n);
        if (errno != EINTR) {  // an input that cannot be read ends the batch, and says why
            error_ = std::strerror(errno);
            return 0;
        }
    }
}

bool FileSource::Waiting() const {
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) == 0;
}

size_t StreamSource::Read(char* buffer, size_t size) {
    in_.read(buffer, static_cast<std::streamsize>(size));
    return static_cast<size_t>(in_.gcount());
}

bool CsvReader::Fill() {
    if (ended_) return false;
    at_ = 0;
    end_ = source_.Read(buffer_.data(), buffer_.size());
    if (end_ == 0) ended_ = true;
    return end_ != 0;
}

bool CsvReader::Next(std::vector<std::string>& cells) {
    size_t n = 0;
    if (cells.empty()) cells.emplace_back();
    std::string* cell = &cells[0];
    cell->clear();
    // Whether the line has anything: a character, a comma or a quote.
    bool quoted = false, any = false;
    auto tooLong = [&] {
        tooLong_ = ended_ = true;
        at_ = end_;
        return false;
    };
    auto nextCell = [&] {
        ++n;
        if (n == cells.size()) cells.emplace_back();
        cell = &cells[n];
        cell->clear();
    };
    for (;;) {
        if (cell->size() > kLongestCell || n > kMostCells) return tooLong();
        const int c = Get();
        if (c < 0) {
            if (!any && cell->empty()) return false;
            cells.resize(n + 1);
            return true;
        }
        if (quoted) {
            if (c == '"') {
                if (Peek() == '"') {
                    cell->push_back('"');
                    Get();
                } else {
                    quoted = false;
                }
            } else {
                cell->push_back(static_cast<char>(c));
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            any = true;
        } else if (c == ',') {
            nextCell();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && Peek() == '\n') Get();
            if (any || !cell->empty()) {
                cells.resize(n + 1);
                return true;
            }
            // An empty line is no row.
        } else {
            // The character and the plain ones after it in the buffer, at once.
            const size_t first = at_ - 1;
            while (at_ < end_) {
                if (kCharKinds[static_cast<unsigned char>(buffer_[at_])] != Plain) break;
                ++at_;
            }
            cell->append(buffer_.data() + first, at_ - first);
            any = true;
        }
    }
}

bool CsvReader::NextInPlace(std::vector<std::string_view>& cells) {
    const char* const data = buffer_.data();
    size_t at = at_;
    while (at < end_ && data[at] == '\n') ++at;  // empty lines are no rows
    cells.clear();
    size_t first = at;
    for (; at < end_; ++at) {
        const uint8_t kind = kCharKinds[static_cast<unsigned char>(data[at])];
        if (kind == Plain) continue;
        if (kind == Comma) {
            // As many cells as Next takes before it gives up on the row.
            if (cells.size() == kMostCells) return false;
            cells.emplace_back(data + first, at - first);
            first = at + 1;
        } else if (kind == LineEnd) {
            cells.emplace_back(data + first, at - first);
            at_ = at + 1;
            return true;
        } else {
            return false;  // a quote or a CR
        }
    }
    return false;  // the row goes on beyond what has been read
}

std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
    std::istringstream in(text);
    StreamSource source(in);
    CsvReader reader(source);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> cells;
    while (reader.Next(cells)) rows.push_back(cells);
    return rows;
}

}  // namespace involvo::cli
