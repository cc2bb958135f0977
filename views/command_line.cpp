#include "views/command_line.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace {

bool HasExtension(const std::string& name) {
    // Only a backslash separates folders here: a slash is as likely to begin an argument.
    const std::string::size_type dot = name.find_last_of('.');
    const std::string::size_type folder = name.find_last_of('\\');
    return dot != std::string::npos && (folder == std::string::npos || dot > folder);
}

void AddCandidate(std::vector<std::string>& candidates, const std::string& name) {
    if (name.empty())
        return;
    candidates.push_back(HasExtension(name) ? name : name + ".exe");
}

}  // namespace

std::vector<std::string> ExecutableCandidates(const std::string& commandLine) {
    std::vector<std::string> candidates;
    if (!commandLine.empty() && commandLine[0] == '"') {
        AddCandidate(candidates, commandLine.substr(1, commandLine.find('"', 1) - 1));
        return candidates;
    }
    for (std::string::size_type space = commandLine.find(' '); space != std::string::npos;
         space = commandLine.find(' ', space + 1)) {
        AddCandidate(candidates, commandLine.substr(0, space));
    }
    AddCandidate(candidates, commandLine);
    if (!commandLine.empty() &&
        std::find(candidates.begin(), candidates.end(), commandLine) == candidates.end()) {
        candidates.push_back(commandLine);
    }
    return candidates;
}

bool UnquotedPathRisk(const std::string& commandLine, const std::string& runFile) {
    if (commandLine.empty() || commandLine[0] == '"')
        return false;
    const std::string folded = FoldAscii(commandLine);
    std::string::size_type end = std::string::npos;
    for (std::string::size_type dot = folded.find(".exe"); dot != std::string::npos;
         dot = folded.find(".exe", dot + 1)) {
        if (dot + 4 == folded.size() || folded[dot + 4] == ' ') {
            end = dot + 4;
            break;
        }
    }
    if (end == std::string::npos && !runFile.empty()) {
        // The candidate is a prefix of the command line, with ".exe" added where it had none.
        if (commandLine.compare(0, runFile.size(), runFile) == 0)
            end = runFile.size();
        else if (runFile.size() > 4 &&
                 commandLine.compare(0, runFile.size() - 4, runFile, 0, runFile.size() - 4) == 0)
            end = runFile.size() - 4;
    }
    return end != std::string::npos && commandLine.find(' ') < end;
}
