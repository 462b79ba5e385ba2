#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>
#include <vector>

#include "cli/gear_entry.h"
#include "cli/gear_options.h"
#include "cli/outputs.h"

namespace involvo::cli {

namespace {

using gearmain::Trim;

// Rows read, computed and written together; three chunks are in hand at a
// time (being read, computed, written). The three together (about 800 bytes a
// row: its options and its line) stay within a core's own cache, where rows
// to and from memory shared with other programs would wait on them: on one
// thread 128 rows cost 3 % less CPU than 512. On more, each chunk is also a
// meeting of the threads, where a thread that waits gives up its core: there
// 512 rows cost 4 % less CPU and 10 % less wall time than 128.
constexpr size_t kChunkRowsAlone = 128, kChunkRowsTogether = 512;
// Rows a thread takes at a time.
constexpr size_t kBlockRows = 16;
// Fewer rows than this are computed on one thread.
constexpr size_t kParallelRows = 64;

// What the header row says of a column: the option it holds, or the readings
// of the row, or a column that is taken and not used (the part number).
struct Column {
    enum Kind : uint8_t { Gear, Readings, Unused } kind = Gear;
    Option option = Option::Teeth;
};
using Columns = std::vector<Column>;

// One chunk of rows: the options of each, and its result line.
struct Chunk {
    explicit Chunk(size_t capacity) : rows(capacity), lines(capacity), ok(capacity) {}
    size_t Capacity() const { return rows.size(); }

    std::vector<GearOptions> rows;
    std::vector<std::string> lines;
    std::vector<char> ok;
    // The readings of each row ("" for none), when the batch has the column.
    std::vector<std::string> readings;
    ExtraColumns extra;
    size_t count = 0;     // rows in the chunk
    size_t firstRow = 0;  // the number of the row before the first
    bool written = true;  // its results are out (or it has none)
};

// One thread's gear entry and the room of its runs.
// (No batch column reads a caption: the readings' columns are the spread and
// the verdict.)
struct Hands {
    Hands() { entry.SetPageDetail(PageDetail::ResultRows); }
    GearEntry entry;
    GearRun run;
    gearmain::ReadingList readings;
};

// Enters, calculates and writes one row.
void ComputeRow(Hands& hands, Chunk& chunk, size_t i) {
    GearRun& run = hands.run;
    const GearOptions& options = chunk.rows[i];
    const bool readings = chunk.extra.inspection && !chunk.readings[i].empty();
    try {
        std::optional<UsageError> bad = CheckOptions(options);
        if (!bad && readings) {
            hands.readings = gearmain::ParseReadings(chunk.readings[i]);
            if (!hands.readings.ok()) bad = UsageError{"--readings: " + hands.readings.error};
        }
        if (bad) {
            run.ok = false;
            run.error = bad->text;
            run.messages.clear();
            run.pages.clear();
            run.inspection.reset();
            run.measuring.reset();
        } else {
            hands.entry.Run(options, run);
            if (run.ok && readings) run.inspection = hands.entry.Inspect(hands.readings.values, run);
            if (run.ok && chunk.extra.measuring) run.measuring = hands.entry.Measure(false, run);
        }
    } catch (const std::exception& e) {
        run = GearRun{};
        run.error = e.what();
    }
    std::string& line = chunk.lines[i];
    line.clear();
    AppendCsvRow(line, chunk.firstRow + i + 1, run, chunk.extra);
    chunk.ok[i] = run.ok;
}

// The threads that compute the chunks: the calling thread and the extra ones
// (one a core).
class Computers {
public:
    explicit Computers(unsigned extra) {
        hands_.reserve(extra + 1);
        for (unsigned i = 0; i <= extra; ++i) hands_.push_back(std::make_unique<Hands>());
        for (unsigned i = 1; i <= extra; ++i) threads_.emplace_back([this, i] { Serve(*hands_[i]); });
    }
    ~Computers() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (auto& t : threads_) t.join();
    }

    // The extra threads start on the chunk.
    void Start(Chunk& chunk) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            job_ = &chunk;
            next_.store(0);
            ++generation_;
        }
        wake_.notify_all();
    }
    // The calling thread computes with them until the chunk is done.
    void Finish(Chunk& chunk) {
        Work(*hands_[0], chunk);
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [&] { return busy_ == 0; });
    }

private:
    void Work(Hands& hands, Chunk& chunk) {
        for (;;) {
            const size_t first = next_.fetch_add(kBlockRows);
            if (first >= chunk.count) return;
            const size_t last = std::min(first + kBlockRows, chunk.count);
            for (size_t i = first; i < last; ++i) ComputeRow(hands, chunk, i);
        }
    }
    void Serve(Hands& hands) {
        uint64_t seen = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
            if (stop_) return;
            seen = generation_;
            Chunk& chunk = *job_;
            ++busy_;
            lock.unlock();
            Work(hands, chunk);
            lock.lock();
            if (--busy_ == 0) done_.notify_all();
        }
    }

    std::vector<std::unique_ptr<Hands>> hands_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    Chunk* job_ = nullptr;
    uint64_t generation_ = 0;
    unsigned busy_ = 0;
    bool stop_ = false;
    std::atomic<size_t> next_{0};
};

class Batch {
public:
    Batch(ByteSource& source, std::ostream& out, ExtraColumns extra) : reader_(source), out_(out), extra_(extra) {}

    int Run(unsigned threads) {
        ReadHeader();
        std::string header;
        AppendCsvLine(header, CsvHeader(extra_));
        out_ << header;

        if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
        const size_t rows = threads > 1 ? kChunkRowsTogether : kChunkRowsAlone;
        Chunk chunks[3] = {Chunk(rows), Chunk(rows), Chunk(rows)};
        Chunk* computing = &chunks[0];
        Chunk* writing = &chunks[1];
        Chunk* reading = &chunks[2];
        Fill(*computing);
        Computers computers(computing->count >= kParallelRows ? threads - 1 : 0);
        // Rows are not worked for an output that no longer takes them.
        while (computing->count > 0 && out_) {
            computers.Start(*computing);
            Write(*writing);
            // Input that has not arrived yet is waited for only once every
            // result before it is out.
            const bool waiting = reader_.Waiting();
            if (!waiting) Fill(*reading, computing->firstRow + computing->count);
            computers.Finish(*computing);
            if (waiting) {
                Write(*computing);
                Fill(*reading, computing->firstRow + computing->count);
            }
            Chunk* done = computing;
            computing = reading;
            reading = writing;
            writing = done;
        }
        Write(*writing);
        if (std::optional<std::string> why = EndedEarly()) throw UsageError{*why};
        return status_;
    }

private:
    // Why the input ended before its end, when it did: the rest is not read.
    std::optional<std::string> EndedEarly() const {
        if (reader_.TooLong()) return "the batch file has a row too long to be a gear's; it is read no further";
        if (!reader_.ReadError().empty()) return "the batch file could not be read to its end: " + reader_.ReadError();
        return std::nullopt;
    }

    void ReadHeader() {
        if (!reader_.Next(cells_)) throw UsageError{EndedEarly().value_or("the batch file has no header row")};
        for (const std::string& cell : cells_) {
            const std::string name = Trim(cell);
            if (name == "readings") {
                columns_.push_back({Column::Readings});
                extra_.inspection = true;
                continue;
            }
            if (name == "part-number") {
                columns_.push_back({Column::Unused});
                continue;
            }
            std::optional<Option> option = OptionNamed(name);
            if (!option) throw UsageError{"unknown batch column " + name};
            columns_.push_back({Column::Gear, *option});
        }
    }

    // Reads rows into the chunk: as many as it holds, or as have arrived.
    void Fill(Chunk& chunk, size_t firstRow = 0) {
        chunk.count = 0;
        chunk.firstRow = firstRow;
        chunk.written = false;
        chunk.extra = extra_;
        if (extra_.inspection) chunk.readings.resize(chunk.Capacity());
        while (chunk.count < chunk.Capacity()) {
            if (chunk.count > 0 && reader_.Waiting()) break;
            if (!reader_.NextInPlace(views_)) {
                if (!reader_.Next(cells_)) break;
                views_.assign(cells_.begin(), cells_.end());
            }
            Parse(chunk, chunk.count++);
        }
    }

    // A row's cells into the options of its columns: empty cells are not
    // given; a flag column holds 1, yes or true to set it.
    void Parse(Chunk& chunk, size_t row) {
        GearOptions& options = chunk.rows[row];
        options.Clear();
        if (extra_.inspection) chunk.readings[row].clear();
        for (size_t c = 0; c < columns_.size() && c < views_.size(); ++c) {
            const std::string_view value = TrimView(views_[c]);
            if (value.empty()) continue;
            if (columns_[c].kind == Column::Readings) chunk.readings[row].assign(value);
            if (columns_[c].kind != Column::Gear) continue;
            const Option option = columns_[c].option;
            if (IsFlag(option)) {
                if (value == "1" || value == "yes" || value == "true") options.Set(option, "");
                continue;
            }
            options.Set(option, value);
        }
    }

    static std::string_view TrimView(std::string_view s) {
        while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
        while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
        return s;
    }

    void Write(Chunk& chunk) {
        if (chunk.written) return;
        text_.clear();
        for (size_t i = 0; i < chunk.count; ++i) {
            text_ += chunk.lines[i];
            if (!chunk.ok[i]) status_ = 1;
        }
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        out_.flush();
        chunk.written = true;
    }

    CsvReader reader_;
    std::ostream& out_;
    ExtraColumns extra_;
    Columns columns_;
    std::vector<std::string> cells_;
    // The cells of the row being parsed.
    std::vector<std::string_view> views_;
    std::string text_;
    int status_ = 0;
};

}  // namespace

int RunBatch(ByteSource& source, std::ostream& out, unsigned threads, ExtraColumns extra) {
    extra.inspection = false;  // the header's readings column asks for it
    return Batch(source, out, extra).Run(threads);
}

int RunBatch(std::istream& in, std::ostream& out, unsigned threads, ExtraColumns extra) {
    StreamSource source(in);
    return RunBatch(source, out, threads, extra);
}

int RunBatch(const std::string& csvText, std::ostream& out, unsigned threads, ExtraColumns extra) {
    std::istringstream in(csvText);
    return RunBatch(in, out, threads, extra);
}

}  // namespace involvo::cli
