#include "window/window_program.h"

int main(int argc, char** argv) {
    return v5::runWindowProgram(argc, argv);
}
