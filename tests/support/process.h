// Runs a program for the tests and collects its exit status and output.
#pragma once

#include <string>
#include <vector>

namespace test {

struct ProcessResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace test
