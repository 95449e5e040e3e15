// The GUI monkey runs offscreen with its own temporary configuration folder.
// Closing the main window (File/Exit) must not end the run: the monkey starts
// the program again on the same settings file.
#include "offscreen_main.h"

int main(int argc, char** argv) {
    return tarsel::testing::runOffscreenTests(argc, argv, false);
}
