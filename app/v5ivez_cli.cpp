#include "cli/cli.h"

int main(int argc, char** argv) {
    return v5::cli::runProcess(argc, argv);
}
