#include "run_tool.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

} // namespace

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string tempFolder() {
    static int counter = 0;
    const auto base =
        std::filesystem::temp_directory_path() / ("tarsel-cli-test-" + std::to_string(::getpid()));
    const auto dir = base / std::to_string(counter++);
    std::filesystem::create_directories(dir);
    static const struct Cleanup {
        std::filesystem::path path;
        ~Cleanup() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } cleanup{base};
    return dir.string();
}

ToolRun runTool(const std::vector<std::string>& args, const std::string& env,
                const std::string& stdoutPath, const std::string& program) {
    const std::string dir = tempFolder();
    // Never let a test read the real user's settings.
    std::string command = "env XDG_CONFIG_HOME=" + quote(dir + "/config") + " HOME=" + quote(dir) +
                          " " + env + " " + quote(program.empty() ? TARSEL_REPORT_PATH : program);
    for (const std::string& arg : args) {
        command.append(" ").append(quote(arg));
    }
    const std::string out = stdoutPath.empty() ? dir + "/out" : stdoutPath;
    command.append(" >").append(quote(out)).append(" 2>").append(quote(dir + "/err"));
    command.append(" </dev/null");
    const int raw = std::system(command.c_str());
    ToolRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readFile(dir + "/out");
    run.err = readFile(dir + "/err");
    return run;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}
