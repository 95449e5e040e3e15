// GUI tests run offscreen with their own temporary configuration folder.
#include "offscreen_main.h"

int main(int argc, char** argv) {
    return tarsel::testing::runOffscreenTests(argc, argv, true);
}
