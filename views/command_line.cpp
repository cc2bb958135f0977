#include "views/command_line.h"

#include <algorithm>

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
