#include "driver/run.h"

int main(int argc, char** argv) { return pixcell::run(argc, argv); }
