#include "kit/process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <random>
#include <set>

#include "temp_dir.h"
#include "test_helpers.h"

namespace kit {
namespace {

using Lines = std::vector<std::string>;

// Lines as a reader of the whole stream would cut them.
Lines wholeLines(const std::string& stream) {
    Lines lines;
    std::size_t start = 0;
    while (start < stream.size()) {
        std::size_t end = stream.find('\n', start);
        std::string line = stream.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// However the bytes arrive, the lines are those of the whole stream.
TEST(LineSplitter, LinesDoNotDependOnHowTheBytesArrive) {
    std::mt19937 random(42);
    const std::string alphabet = "ab \r\n\n\t\xE9";
    for (int round = 0; round < 2000; ++round) {
        std::string stream(random() % 40, ' ');
        for (char& c : stream) c = alphabet[random() % alphabet.size()];
        Lines lines;
        LineSplitter splitter([&](const std::string& line) { lines.push_back(line); });
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t size = std::min<std::size_t>(1 + random() % 7, stream.size() - at);
            splitter.feed(std::string_view(stream).substr(at, size));
            at += size;
        }
        splitter.finish();
        EXPECT_EQ(lines, wholeLines(stream)) << ::testing::PrintToString(stream);
    }
}

struct Ran {
    Exit exit;
    Lines lines;
    std::string bytes;
};

Ran runShell(Command command, const std::string& script) {
    Ran ran;
    command.argv.insert(command.argv.begin(), {"/bin/sh", "-c", script, "sh"});
    command.onLine = [&](const std::string& line) { ran.lines.push_back(line); };
    command.onBytes = [&](std::string_view bytes) { ran.bytes.append(bytes); };
    ran.exit = run(command);
    return ran;
}

TEST(Process, StreamsGoWhereTheCommandSays) {
    tz::testing::TempDir temp;
    Command lines;
    lines.output = lines.errors = Stream::Lines;
    const Ran both = runShell(lines, "printf 'one\\r\\ntwo\\n'; printf 'oops\\n' >&2; printf last; exit 3");
    EXPECT_EQ(both.exit.status, 3);
    EXPECT_EQ(std::multiset<std::string>(both.lines.begin(), both.lines.end()),
              (std::multiset<std::string>{"one", "two", "oops", "last"}));

    // Standard error where standard output goes: the bytes as written, in their order.
    Command merged;
    merged.output = Stream::Bytes;
    merged.errors = Stream::Output;
    EXPECT_EQ(runShell(merged, "printf a; printf b >&2; printf 'c\\r'").bytes, "abc\r");

    Command logged;
    logged.input = Stream::Null;
    logged.output = Stream::File;
    logged.file = temp / "log";
    logged.errors = Stream::Output;
    tz::testing::writeFile(logged.file, "an older and longer log");
    EXPECT_EQ(runShell(logged, "readlink /proc/$$/fd/0; echo err >&2").exit.status, 0);
    EXPECT_EQ(tz::testing::readFile(logged.file), "/dev/null\nerr\n");

    // The arguments reach the child unsplit, in its own folder, with its environment.
    Command placed;
    placed.output = Stream::Lines;
    placed.workDir = temp / "a b";
    std::filesystem::create_directories(placed.workDir);
    ::setenv("TZ_PROCESS_TEST_GONE", "there", 1);
    placed.environment = {"TZ_PROCESS_TEST=x y", "TZ_PROCESS_TEST_GONE"};
    placed.argv = {"$HOME", "'"};
    const Ran there =
        runShell(placed, "printf '%s|' \"$@\" \"$TZ_PROCESS_TEST\" \"${TZ_PROCESS_TEST_GONE-unset}\"; pwd");
    ::unsetenv("TZ_PROCESS_TEST_GONE");
    EXPECT_EQ(there.lines, Lines{"$HOME|'|x y|unset|" + placed.workDir});
}

TEST(Process, StartsFailWithTheReason) {
    Command missing;
    missing.argv = {"/no/such/program"};
    EXPECT_EQ(run(missing).startError, ENOENT);
    Command unsearched;
    unsearched.argv = {"true"};
    EXPECT_EQ(run(unsearched).startError, ENOENT);
    unsearched.searchPath = true;
    EXPECT_TRUE(run(unsearched).started());
    EXPECT_EQ(run(Command{}).startError, EINVAL);

    Command killed;
    const Exit exit = runShell(killed, "kill -TERM $$").exit;
    EXPECT_EQ(exit.status, -1);
    EXPECT_EQ(exit.signal, SIGTERM);
}

TEST(Process, AHandedDescriptorAGroupAndTheDefaultSignals) {
    tz::testing::TempDir temp;
    const int fd = ::open((temp / "handed").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    Command handed;
    handed.handOn = fd;
    handed.handOnAs = fd == 5 ? 6 : 5;
    const std::string number = std::to_string(handed.handOnAs);
    EXPECT_EQ(runShell(handed, "echo handed >&" + number).exit.status, 0);
    ::close(fd);
    EXPECT_EQ(tz::testing::readFile(temp / "handed"), "handed\n");

    // The child leads its own group (its group id is its process id), or stays in this one.
    Command grouped;
    grouped.output = Stream::Lines;
    const std::string ids = "echo $$; cut -d' ' -f5 /proc/$$/stat";
    const Lines shared = runShell(grouped, ids).lines;
    grouped.ownGroup = true;
    const Lines own = runShell(grouped, ids).lines;
    ASSERT_EQ(own.size(), 2u);
    EXPECT_EQ(own[0], own[1]);
    ASSERT_EQ(shared.size(), 2u);
    EXPECT_EQ(shared[1], std::to_string(::getpgrp()));

    // What this process ignores, a child inherits unless it asks for the defaults.
    ::signal(SIGPIPE, SIG_IGN);
    Command signals;
    signals.output = Stream::Lines;
    const std::string ignored = "grep SigIgn /proc/$$/status";
    const Lines inherited = runShell(signals, ignored).lines;
    signals.defaultSignals = true;
    const Lines defaults = runShell(signals, ignored).lines;
    ::signal(SIGPIPE, SIG_DFL);
    ASSERT_EQ(inherited.size(), 1u);
    ASSERT_EQ(defaults.size(), 1u);
    const unsigned long pipeBit = 1ul << (SIGPIPE - 1);
    EXPECT_TRUE(std::stoul(inherited[0].substr(inherited[0].find('\t') + 1), nullptr, 16) & pipeBit);
    EXPECT_FALSE(std::stoul(defaults[0].substr(defaults[0].find('\t') + 1), nullptr, 16) & pipeBit);
}

TEST(Process, AWatchEndsTheRelayAndTheGroupEndsWithItsLeader) {
    Command command;
    command.argv = {"/bin/sh", "-c", "sleep 300 & echo $!; echo started; wait"};
    command.output = Stream::Lines;
    command.ownGroup = true;
    Lines lines;
    command.onLine = [&](const std::string& line) { lines.push_back(line); };
    Child child;
    ASSERT_EQ(child.start(command), 0);
    int wakes = 0;
    Child::Watch watch{{}, 10, [&](std::span<pollfd>, int) { return ++wakes < 20 || lines.size() < 2; }};
    EXPECT_FALSE(child.relay(&watch));
    ASSERT_EQ(lines.size(), 2u);
    const pid_t sleeper = std::stoi(lines[0]);
    const pid_t leader = child.pid();
    bool zombie = false;
    ::kill(leader, SIGKILL);
    const Exit exit = child.wait([&] {
        // Ended but not reaped: its id is still its own, and so is its group's.
        const std::string stat = tz::testing::readFile("/proc/" + std::to_string(leader) + "/stat");
        zombie = stat.size() > stat.rfind(')') + 2 && stat[stat.rfind(')') + 2] == 'Z';
        killGroup(leader);
    });
    EXPECT_TRUE(zombie);
    EXPECT_EQ(exit.signal, SIGKILL);
    EXPECT_TRUE(tz::testing::processGone(sleeper));
}

TEST(Process, OrphansOfAChildEndWithIt) {
    adoptOrphans();
    Command command;
    command.output = Stream::Lines;
    // The child leaves a process of its own group running and ends: the orphan comes to this process.
    const Ran ran = runShell(command, "sleep 300 >/dev/null & echo $!");
    ASSERT_EQ(ran.lines.size(), 1u);
    const pid_t orphan = std::stoi(ran.lines[0]);
    EXPECT_FALSE(tz::testing::processGone(orphan));
    endOrphans();
    EXPECT_TRUE(tz::testing::processGone(orphan));
}

}  // namespace
}  // namespace kit
