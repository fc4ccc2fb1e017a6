#include "script/parser.h"

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

std::optional<std::vector<Command>> ParseScript(std::string_view text, ParseError& error) {
    std::vector<Command> commands;
    int number = 0;
    while (!text.empty() || number == 0) {
        ++number;
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        std::string message;
        auto words = SplitLine(line, message);
        if (!words) {
            error = {number, message};
            return std::nullopt;
        }
        if (!words->empty()) commands.push_back({number, std::move(*words)});
    }
    return commands;
}

}  // namespace ardentix::script
