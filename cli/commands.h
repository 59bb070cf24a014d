// The commands of ctu. Each one runs on an already parsed command line and
// throws Failure to end with a non-zero exit code.
#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string_view>

#include "cli/command_line.h"

namespace ctu {

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

struct Command {
    std::string_view name;
    Syntax syntax;
    void (*run)(const CommandLine& line, Streams& io);
};

// Every command, in the order the usage text lists them.
std::span<const Command> commands();

void runInfo(const CommandLine& line, Streams& io);
void runList(const CommandLine& line, Streams& io);
void runShow(const CommandLine& line, Streams& io);
void runSearch(const CommandLine& line, Streams& io);
void runLint(const CommandLine& line, Streams& io);
void runLinks(const CommandLine& line, Streams& io);
void runBacklinks(const CommandLine& line, Streams& io);
void runNew(const CommandLine& line, Streams& io);
void runAdd(const CommandLine& line, Streams& io);
void runAlias(const CommandLine& line, Streams& io);
void runRename(const CommandLine& line, Streams& io);
void runSet(const CommandLine& line, Streams& io);
void runDelete(const CommandLine& line, Streams& io);
void runRender(const CommandLine& line, Streams& io);
void runFormula(const CommandLine& line, Streams& io);
void runDraw(const CommandLine& line, Streams& io);
void runSend(const CommandLine& line, Streams& io);

}  // namespace ctu
