// Console output and the ways a runtime error ends the process, observed
// from a child process with its own standard streams.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <cstring>
#include <string>

#include "runtime/error.h"
#include "runtime/object.h"

namespace {

struct ChildResult {
    int status;
    std::string out;
    std::string err;
};

std::string read_all(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(got));
    close(fd);
    return text;
}

// Runs `body` in a child whose standard input holds `input` (closed after it).
ChildResult run_child(const std::function<void()>& body, const std::string& input = "") {
    int in[2], out[2], err[2];
    if (pipe(in) || pipe(out) || pipe(err)) return {-1, "", ""};
    pid_t child = fork();
    if (child == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        body();
        _exit(123);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (!input.empty() && write(in[1], input.data(), input.size()) < 0) {}
    close(in[1]);
    ChildResult result{0, read_all(out[0]), read_all(err[0])};
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(ErrorTest, EmptyMessageEndsTheProgramSilentlyWithStatusZero) {
    ChildResult result = run_child([] { nxError(String()); });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST(ErrorTest, RuntimeErrorReportsStopsAndExitsWithoutADebugger) {
    ChildResult result = run_child([] { nxError(String("x")); });
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(result.out, "Kestrel Runtime Error : x\n\n");
    EXPECT_EQ(result.err, "{{~~~~}}\n\n");
}

TEST(ErrorTest, DebuggerCommandsRepeatTheReportOrQuit) {
    ChildResult result = run_child([] { nxError(String("boom")); }, "?\nr\nq\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Kestrel Runtime Error : boom\n\nKestrel Runtime Error : boom\n\n");

    ChildResult unknown = run_child([] { nxError(String("boom")); }, "zap\n");
    EXPECT_EQ(unknown.status, 255);
    EXPECT_NE(unknown.out.find("????? zap ?????"), std::string::npos);
}

TEST(ErrorTest, ObjectDumpReadsOnlyObjectsTheCollectorKnows) {
    ChildResult result = run_child(
        [] {
            Object* object = new Object();
            char line[64];
            std::snprintf(line, sizeof line, "@%p\n@0x10\n@junk\nq\n", static_cast<void*>(object));
            // Feed the commands through a fresh pipe standing in for standard input.
            int feed[2];
            if (pipe(feed)) _exit(99);
            if (write(feed[1], line, std::strlen(line)) < 0) _exit(98);
            close(feed[1]);
            dup2(feed[0], 0);
            nxError(String("dump"));
        });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "{{~~~~}}\n\n+Object\n\n");
}

TEST(ErrorTest, FatalSignalIsReportedAsARuntimeError) {
    ChildResult result = run_child([] {
        nx_install_signal_handlers();
        std::raise(SIGFPE);
    });
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(result.out, "Kestrel Runtime Error : Floating point exception\n\n");
}

TEST(ErrorTest, PrintWritesUtf8Lines) {
    ChildResult result = run_child([] {
        Char euro = 0x20AC;
        nxPrint(String(&euro, 1));
        nxPrint(String("ok"));
        std::exit(0);
    });
    EXPECT_EQ(result.out, "\xE2\x82\xAC\nok\n");
}

}  // namespace
