#include "tests/e2e/cli/CliRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace quill::testing {

namespace {

// A temporary file that captures one output stream of the child.
class CaptureFile {
public:
    CaptureFile() {
        std::string pattern = "/tmp/quill-cli-e2e-XXXXXX";
        fd_ = mkstemp(pattern.data());
        if (fd_ < 0) {
            throw std::runtime_error("cannot create a capture file");
        }
        path_ = pattern;
    }
    ~CaptureFile() {
        close(fd_);
        unlink(path_.c_str());
    }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    int Fd() const { return fd_; }
    std::string Contents() const { return ReadFileBytes(path_); }

private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace

CliResult RunCli(const std::vector<std::string>& args) {
    CaptureFile out;
    CaptureFile err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.Fd(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.Fd(), STDERR_FILENO);

    std::vector<std::string> argvText{QUILL_CLI_PATH};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvText) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    CliResult result;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, QUILL_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " QUILL_CLI_PATH);
    }
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("lost track of quill-cli");
        }
    }
    if (WIFEXITED(wstatus)) {
        result.status = WEXITSTATUS(wstatus);
    } else if (WIFSIGNALED(wstatus)) {
        result.signal = WTERMSIG(wstatus);
    }
    result.out = out.Contents();
    result.err = err.Contents();
    return result;
}

std::string Example(const std::string& relative) {
    return std::string(QUILL_EXAMPLES_DIR) + "/" + relative;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace quill::testing
