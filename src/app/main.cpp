#include "frame/ui/program.h"
// Made by the build from the key the releases are signed with.
#include "update_key.h"

int main(int argc, char** argv) { return frame::RunProgram(argc, argv, kUpdatePublicKey); }
