// The reader of CheckboxValues.dat: whatever the file holds (an old version, a
// hand edit, a half-written file, another program's file), it never crashes
// and gives either "damaged" or eighteen check box states.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "printing/printout_options.h"

using involvo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto values = involvo::ParseOptions(text);
    if (!values) return 0;
    Require((*values)[0] == 0, "element 0 is set", text);
    for (int i = 1; i <= involvo::kOptionCount; ++i)
        Require((*values)[i] >= 0 && (*values)[i] <= 2, "a value that is not 0, 1 or 2", text);
    // What was read is what the program writes back, and reads again the same.
    const auto again = involvo::ParseOptions(involvo::OptionsFileText(*values));
    Require(again && *again == *values, "the options do not survive being written and read", text);
    return 0;
}
