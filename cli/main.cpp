#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) { return involvo::cli::Main(argc, argv, std::cout, std::cerr); }
