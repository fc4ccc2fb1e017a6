// Writes the name of every sound the program plays, one a line, for make_sounds.sh: the sound
// generator takes its names from the program itself and cannot drift from it.
#include <cstdio>

#include "core/sound_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: list-sounds FILE\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::fprintf(stderr, "list-sounds: cannot write %s\n", argv[1]);
        return 1;
    }
    for (const std::string& name : ardentix::AllSoundFileNames()) {
        std::fprintf(out, "%s\n", name.c_str());
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
