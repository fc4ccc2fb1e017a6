#include "script/parser.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace ardentix::script {

std::optional<std::vector<std::string>> SplitLine(std::string_view line, std::string& error) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            std::string word;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char q = line[i++];
                if (q == '"') {
                    closed = true;
                    break;
                }
                if (q == '\\') {
                    if (i >= line.size() || (line[i] != '"' && line[i] != '\\')) {
                        error = "bad escape in a quoted string";
                        return std::nullopt;
                    }
                    word += line[i++];
                } else {
                    word += q;
                }
            }
            if (!closed) {
                error = "unterminated quoted string";
                return std::nullopt;
            }
            if (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                error = "a quoted string must stand alone";
                return std::nullopt;
            }
            words.push_back(std::move(word));
        } else {
            const size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
                   line[i] != '#') {
                if (line[i] == '"') {
                    error = "a quote inside a word";
                    return std::nullopt;
                }
                ++i;
            }
            words.emplace_back(line.substr(start, i - start));
        }
    }
    return words;
}

namespace {

namespace fs = std::filesystem;

using Parameters = std::vector<std::pair<std::string, std::string>>;
using IncludedFrom = std::vector<std::pair<std::string, int>>;

bool isKey(std::string_view key) {
    if (key.empty() || key[0] < 'A' || key[0] > 'Z') return false;
    return std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// Reads a script and the files it includes into one list of commands.
class Reader {
  public:
    Reader(const FileReader& read, ParseError& error) : read_(read), error_(error) {}

    std::vector<Command> commands;

    // The commands of one file; used collects the parameters its words took.
    bool file(std::string_view text, const std::string& name, const IncludedFrom& includedFrom,
              const Parameters& parameters, std::set<std::string>& used) {
        open_.push_back(fs::path(name).lexically_normal().string());
        int number = 0;
        while (!text.empty() || number == 0) {
            ++number;
            const size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
            Origin where{name, number, includedFrom};
            std::string message;
            auto words = SplitLine(line, message);
            if (!words) return fail(std::move(where), message);
            if (words->empty()) continue;
            if (!includedFrom.empty()) {
                for (std::string& word : *words) {
                    if (!substitute(word, parameters, used, message)) {
                        return fail(std::move(where), message);
                    }
                }
            }
            Command command{std::move(where), std::move(*words)};
            if (command.words[0] == "include") {
                if (!include(command)) return false;
            } else {
                commands.push_back(std::move(command));
            }
        }
        open_.pop_back();
        return true;
    }

  private:
    bool fail(Origin where, std::string message) {
        error_ = {std::move(where), std::move(message)};
        return false;
    }

    // Each "@KEY@" in the word becomes the parameter's value; a key without a value is an error.
    static bool substitute(std::string& word, const Parameters& parameters,
                           std::set<std::string>& used, std::string& error) {
        if (word.find('@') == std::string::npos) return true;
        std::string result;
        size_t i = 0;
        while (i < word.size()) {
            const size_t close = word[i] == '@' ? word.find('@', i + 1) : std::string::npos;
            const std::string key =
                close == std::string::npos ? std::string{} : word.substr(i + 1, close - i - 1);
            if (!isKey(key)) {
                result += word[i++];
                continue;
            }
            auto given = std::find_if(parameters.begin(), parameters.end(),
                                      [&](const auto& p) { return p.first == key; });
            if (given == parameters.end()) {
                error = "no value for @" + key + "@; the include line must give " + key + "=VALUE";
                return false;
            }
            result += given->second;
            used.insert(key);
            i = close + 1;
        }
        word = std::move(result);
        return true;
    }

    bool include(const Command& line) {
        const std::vector<std::string>& w = line.words;
        if (w.size() < 2) return fail(line.where, "include takes a file and KEY=VALUE parameters");
        Parameters parameters;
        for (size_t i = 2; i < w.size(); ++i) {
            const size_t eq = w[i].find('=');
            const std::string key = w[i].substr(0, eq);
            if (eq == std::string::npos || !isKey(key)) {
                return fail(
                    line.where,
                    "a parameter is KEY=VALUE with a key in capitals, digits and _: " + w[i]);
            }
            if (std::any_of(parameters.begin(), parameters.end(),
                            [&](const auto& p) { return p.first == key; })) {
                return fail(line.where, "parameter " + key + " is given twice");
            }
            parameters.emplace_back(key, w[i].substr(eq + 1));
        }
        const std::string path =
            (fs::path(line.where.file).parent_path() / w[1]).lexically_normal().string();
        auto cycle = std::find(open_.begin(), open_.end(), path);
        if (cycle != open_.end()) {
            std::string chain;
            for (; cycle != open_.end(); ++cycle)
                chain += *cycle + " -> ";
            return fail(line.where, "include cycle: " + chain + path);
        }
        if (static_cast<int>(open_.size()) > kMaxIncludeDepth) {
            return fail(line.where, "includes nested more than " +
                                        std::to_string(kMaxIncludeDepth) + " deep: " + path);
        }
        const std::optional<std::string> text = read_(path);
        if (!text) return fail(line.where, "cannot read " + path);
        IncludedFrom includedFrom{{line.where.file, line.where.line}};
        includedFrom.insert(includedFrom.end(), line.where.includedFrom.begin(),
                            line.where.includedFrom.end());
        std::set<std::string> used;
        if (!file(*text, path, includedFrom, parameters, used)) return false;
        for (const auto& [key, value] : parameters) {
            if (!used.contains(key)) {
                return fail(line.where, "parameter " + key + " is not used in " + path);
            }
        }
        return true;
    }

    const FileReader& read_;
    ParseError& error_;
    std::vector<std::string> open_;  // the files being read, the script first
};

}  // namespace

std::string Report(const Origin& where, std::string_view message) {
    std::string text = where.file + ":" + std::to_string(where.line) + ": " + std::string(message);
    for (size_t i = 0; i < where.includedFrom.size(); ++i) {
        text += i == 0 ? " (included from " : ", ";
        text += where.includedFrom[i].first + ":" + std::to_string(where.includedFrom[i].second);
    }
    if (!where.includedFrom.empty()) text += ")";
    return text;
}

std::optional<std::string> ReadScriptFile(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::vector<Command>> ParseScript(std::string_view text, const std::string& name,
                                                ParseError& error, const FileReader& read) {
    Reader reader(read, error);
    std::set<std::string> used;
    if (!reader.file(text, name, {}, {}, used)) return std::nullopt;
    return std::move(reader.commands);
}

}  // namespace ardentix::script
