// Runs the real ctu binary, as a user's shell would.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CtuRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    long maxResidentKiB = 0;  // the most memory the process held at once
};

// Runs ctu with the arguments, `input` as its standard input, in the given
// working folder (else this process's), and waits.
CtuRun ctu(const std::vector<std::string>& args, std::string_view input = {},
           const std::string& workingFolder = {});
