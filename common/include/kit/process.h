#pragma once
// Child processes as the kit's programs start them: an argv list started by posix_spawn (never through a
// shell), each standard stream where the caller wants it, piped output handed on as it comes (line by
// line where asked), and the process groups and orphans a run leaves ended.
#include <poll.h>
#include <sys/types.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

using LineSink = std::function<void(const std::string&)>;

// Cuts a stream into lines as its bytes arrive: "\n" ends a line, and a "\r" that ends a line is dropped
// ("\r\n" is one line end). A lone "\r" inside a line stays: a tool's output is no text file, and may
// redraw a line with it. What follows the last "\n" is a line of its own at finish().
class LineSplitter {
public:
    explicit LineSplitter(LineSink sink) : sink_(std::move(sink)) {}
    void feed(std::string_view bytes);
    void finish();
    // Forgets a line not yet ended.
    void drop() { pending_.clear(); }

private:
    void deliver(std::string line);

    LineSink sink_;
    std::string pending_;
};

// Where a standard stream of the child goes.
enum class Stream {
    Inherit,  // this process's own
    Null,     // /dev/null
    Lines,    // a pipe of its own, cut into lines handed to Command::onLine
    Bytes,    // a pipe whose bytes go to Command::onBytes as they come
    File,     // Command::file, created or emptied (opened before the child changes folder)
    Output,   // standard error only: where standard output goes, the two interleaved as written
};

struct Command {
    std::vector<std::string> argv;
    bool searchPath = false;  // argv[0] without a "/" is looked up in PATH
    std::string workDir;      // the child's working folder; "" keeps this process's
    // Over this process's environment: "NAME=value" sets NAME for the child, a bare "NAME" takes it away.
    std::vector<std::string> environment;
    Stream input = Stream::Inherit;  // Inherit or Null
    Stream output = Stream::Inherit;
    Stream errors = Stream::Inherit;
    LineSink onLine;
    std::function<void(std::string_view)> onBytes;
    std::string file;
    // The child leads a process group of its own, so that killGroup(pid) reaches whatever it starts.
    bool ownGroup = false;
    // SIGPIPE and SIGXFSZ at their default actions and no signal blocked in the child, whatever this
    // process ignores or blocks.
    bool defaultSignals = false;
    // A descriptor of this process that the child has as number `handOnAs` (a number other than its
    // own here: the copy is what loses close-on-exec); -1 for none.
    int handOn = -1;
    int handOnAs = -1;
};

// How a child ended, or why it never started.
struct Exit {
    int startError = 0;  // the errno of a start that failed; nothing ran then
    int status = -1;     // the exit status, or -1 when it did not exit (a signal ended it)
    int signal = 0;      // the signal that ended it, or 0
    long peakKiB = 0;    // the child's peak resident memory

    bool started() const { return startError == 0; }
};

class Child {
public:
    Child() = default;
    // Closes what is still open and waits for a child that was not waited for.
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Starts `command`: 0, or the errno of the failure (nothing runs then).
    int start(const Command& command);
    pid_t pid() const { return pid_; }

    // What a relay listens to besides the child's pipes.
    struct Watch {
        std::vector<pollfd> fds;  // polled with the pipes
        int periodMs = -1;        // onWake comes at least this often; -1: only when something does
        // After every poll, with the watched entries (their revents set; an fd set to -1 is no longer
        // watched) and what poll returned. False ends the relay.
        std::function<bool(std::span<pollfd> fds, int ready)> onWake;
    };

    // Hands the child's piped output on until every pipe has ended (at once when nothing is piped).
    // False when the watch ended it first: what was not read by then, and a line not yet ended, is dropped.
    bool relay(Watch* watch = nullptr);

    // Waits for the child to end. `beforeReap` runs once it has ended and before it is reaped: until then
    // its process id, and its group's, are its own, so a kill of either reaches no other process.
    Exit wait(const std::function<void()>& beforeReap = {});

private:
    struct Pipe {
        int fd = -1;
        Stream stream = Stream::Inherit;  // Lines or Bytes
        LineSplitter lines{nullptr};
    };
    void closePipes();

    pid_t pid_ = -1;
    std::vector<Pipe> pipes_;
    std::function<void(std::string_view)> onBytes_;
};

// Starts the command, relays its piped output and waits for its end.
Exit run(const Command& command);

// Kills every process of the group `group` and waits (a few seconds at most) until none of them runs,
// so that none writes another byte.
void killGroup(pid_t group);

// Makes this process the one that inherits the orphans of its descendants (a child subreaper), so that
// what a child killed outright started becomes this process's own child.
void adoptOrphans();
// Kills every child this process still has, with its process group, and reaps it: once the program it
// started has ended, whatever of it is left is a leftover.
void endOrphans();

}  // namespace kit
