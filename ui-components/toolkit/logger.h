#pragma once
// The process's message log: three levels, listeners told in the order they were added, and a
// replaceable default logger (a console logger until another is set). Safe to use from any thread;
// loggers and listeners are called outside the log's lock, so they may log or change the log themselves.
#include <QString>
#include <memory>

namespace ui::framework::toolkit {

class LoggerListener {
public:
    virtual ~LoggerListener() = default;
    virtual void addError(const QString& message) = 0;
    virtual void addInfo(const QString& message) = 0;
    virtual void addWarning(const QString& message) = 0;
};

class Logger {
public:
    static constexpr int INFO = 0;
    static constexpr int WARNING = 1;
    static constexpr int ERROR = 2;

    virtual ~Logger() = default;

    // Log through the default logger, then tell every listener.
    static void addInfo(const QString& message);
    static void addWarning(const QString& message);
    static void addError(const QString& message);
    // Logs through the default logger alone and returns its answer.
    static QString addMessage(int level, const QString& message);
    // Null restores the console logger for the next message.
    static void setDefaultLogger(std::shared_ptr<Logger> logger);
    static void addLoggerListener(std::shared_ptr<LoggerListener> listener);
    static void removeLoggerListener(const std::shared_ptr<LoggerListener>& listener);

    // Every logger logs by itself: one that forwarded to the default logger could be that logger.
    virtual QString log(int level, const QString& message) = 0;
};

// Prints "**" + prefix + message for an error, "*" + prefix + message for a warning and prefix +
// message for information on standard output, and returns that line; any other level prints nothing
// and returns the message.
class ConsoleLogger : public Logger {
public:
    QString log(int level, const QString& message) override;

protected:
    // The program's name and ": ", as Linux tools begin their messages; empty without an application.
    virtual QString prefix() const;
};

}  // namespace ui::framework::toolkit
