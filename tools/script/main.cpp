// ardentix-script: runs scenario scripts against the engine on a virtual clock.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "script/parser.h"
#include "script/runner.h"

namespace fs = std::filesystem;

namespace {

int usage() {
    std::cerr << "usage: ardentix-script [--keep DIR] [--media DIR] FILE...\n";
    return 2;
}

// A fresh program directory holding the program's media, as an installed program has them.
bool makeProgramDir(const fs::path& dir, const fs::path& media, std::string& error) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        error = "cannot create " + dir.string() + ": " + ec.message();
        return false;
    }
    for (const auto& entry : fs::directory_iterator(media, ec)) {
        if (!entry.is_regular_file() || entry.path().filename().string().starts_with(".")) continue;
        fs::copy_file(entry.path(), dir / entry.path().filename(),
                      fs::copy_options::overwrite_existing, ec);
        if (ec) break;
    }
    if (ec) error = "cannot copy the media from " + media.string() + ": " + ec.message();
    return !ec;
}

fs::path temporaryDir() {
    std::string pattern = (fs::temp_directory_path() / "ardentix-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

}  // namespace

int main(int argc, char** argv) {
    // The event loop that carries the mail server's connection while a script sends.
    QCoreApplication app(argc, argv);
    std::vector<std::string> files;
    std::string keep;
    std::string media = ARDENTIX_MEDIA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--keep" || arg == "--media") && i + 1 < argc) {
            (arg == "--keep" ? keep : media) = argv[++i];
        } else if (arg.starts_with("--")) {
            return usage();
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) return usage();

    int passed = 0;
    int failed = 0;
    int status = 0;
    for (const std::string& file : files) {
        const std::optional<std::string> text = ardentix::script::ReadScriptFile(file);
        if (!text) {
            std::cerr << file << ": cannot read\n";
            status = 2;
            continue;
        }

        fs::path dir = keep.empty()        ? temporaryDir()
                       : files.size() == 1 ? fs::path(keep)
                                           : fs::path(keep) / fs::path(file).stem();
        std::string error;
        if (dir.empty() || !makeProgramDir(dir, media, error)) {
            std::cerr << file << ": " << (dir.empty() ? "no temporary directory" : error) << "\n";
            status = 2;
            continue;
        }
        if (files.size() > 1) std::cout << "== " << file << "\n";
        const auto result = ardentix::script::RunScript(*text, file, dir.string(), std::cout);
        passed += result.passed;
        failed += result.failed;
        status = std::max(status, result.status);
        std::error_code ec;
        if (keep.empty()) fs::remove_all(dir, ec);
    }
    std::cout << passed << " passed, " << failed << " failed\n";
    return status;
}
