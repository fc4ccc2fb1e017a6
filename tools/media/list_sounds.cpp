// Writes every sound the program plays for make_sounds.sh, one a line: the file name, a tab and
// the words it speaks (nothing after the tab for a tone alone). The sound generator takes its
// names and words from the program itself, the same table the captions come from, and cannot
// drift from it.
#include <cstdio>
#include <string>

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
    for (const ardentix::SoundText& s : ardentix::SoundTexts()) {
        std::fprintf(out, "%s\t%s\n", std::string(s.file).c_str(), std::string(s.spoken).c_str());
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
