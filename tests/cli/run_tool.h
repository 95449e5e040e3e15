#pragma once
// Runs tarsel-report as a user would, capturing its output and exit status.

#include <string>
#include <vector>

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// args are passed through the shell, each single-quoted. env is a prefix such
// as "XDG_CONFIG_HOME=/tmp/x" (may be empty). stdoutPath, when given, receives
// standard output instead of ToolRun::out. program: a copy of tarsel-report
// elsewhere, when given.
ToolRun runTool(const std::vector<std::string>& args, const std::string& env = "",
                const std::string& stdoutPath = "", const std::string& program = "");

// A fresh temporary folder, removed at exit of the test process.
std::string tempFolder();

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);

// The lines of text, without their line ends.
std::vector<std::string> lines(const std::string& text);
