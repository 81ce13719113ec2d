#include "tests/support/process.h"

#include "tests/support/rom_builder.h"

#include <cstdlib>
#include <sys/wait.h>

namespace test {

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadText(const std::string& path) {
    std::vector<std::uint8_t> bytes = ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
    TempDir dir;
    std::string command = Quoted(program);
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    command += " </dev/null >" + Quoted(dir / "out") + " 2>" + Quoted(dir / "err");
    const int raw = std::system(command.c_str());
    ProcessResult result;
    if (raw != -1 && WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
    result.out = ReadText(dir / "out");
    result.err = ReadText(dir / "err");
    return result;
}

}  // namespace test
