#include "app/startup.h"

int main(int argc, char** argv) { return ludexMain(argc, argv); }
