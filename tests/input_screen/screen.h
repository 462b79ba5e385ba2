// The input screen's fixture under its former name, for tests written against it.
#pragma once

#include "tests/support/program.h"

namespace involvo::testing {
using InputScreen = ProgramTest;
}  // namespace involvo::testing
