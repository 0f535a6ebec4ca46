// Builds one application folder for the benchmark: dazu_bench_prepare DIST FOLDER NAMES.
#include "PrepareFolder.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s DIST_FOLDER APPLICATION_FOLDER NAMES_PER_LIST\n", argv[0]);
        return EXIT_FAILURE;
    }
    try {
        const auto names = static_cast<std::size_t>(std::stoull(argv[3]));
        dazu::bench::PrepareApplicationFolder(argv[1], argv[2], names);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
