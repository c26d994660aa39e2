// Console output and the ways a runtime error ends the process, each run in a
// child whose standard input is scripted and whose two outputs go to one file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>

#include "runtime/error.h"
#include "runtime/object.h"

namespace {

const std::string kOutputPath = testing::TempDir() + "runtime_error_test." + std::to_string(getpid());

// In the child: the commands become standard input, both outputs go to the
// file, and fatal signals are reported, as the program's start-up arranges.
void start_child(const std::string& commands) {
    int feed[2], output = open(kOutputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (pipe(feed) != 0 || write(feed[1], commands.data(), commands.size()) < 0) _exit(99);
    close(feed[1]);
    dup2(feed[0], 0), dup2(output, 1), dup2(output, 2);
    nx_install_signal_handlers();
}

std::string report(std::string message) { return "Kestrel Runtime Error : " + message + "\n\n{{~~~~}}\n\n"; }

TEST(ErrorDeathTest, RuntimeErrorsReportStopForTheDebuggerAndExit) {
    char dump[80];  // the object exists in the child too, at the same address
    std::snprintf(dump, sizeof dump, "@%p\n@0x10\n@junk\nq\n", static_cast<void*>(new Object()));
    const std::string boom = report("boom");
    const std::tuple<void (*)(), std::string, int, std::string> rows[] = {
        {[] { nxError(String("boom")); }, "", 255, boom},  // no debugger attached
        {[] { nxError(String("boom")); }, "?\nr\ns\ne\nl\nq\n", 0, boom + boom + boom + boom + boom},
        {[] { nxError(String("boom")); }, "zap\n", 255, boom + "????? zap ?????\n"},
        {[] { nxError(String("boom")); }, "q", 255, boom},  // a command cut off without its line end
        {[] { nxError(String("boom")); }, dump, 0, boom + "+Object\n\n"},  // only objects the collector knows
        {[] { std::raise(SIGSEGV); }, "", 255, report("Memory access violation")},
        {[] { std::raise(SIGILL); }, "", 255, report("Illegal instruction")},
        {[] { std::raise(SIGFPE); }, "", 255, report("Floating point exception")},
        {[] { nxPrint(String("\xE9")), nxPrint(String("ok")), nxError(String()); }, "", 0, "\xC3\xA9\nok\n"},
    };
    for (const auto& [run, commands, status, output] : rows) {
        EXPECT_EXIT((start_child(commands), run()), testing::ExitedWithCode(status), "");
        std::ifstream written(kOutputPath, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), output) << commands;
    }
    std::remove(kOutputPath.c_str());
}

}  // namespace
