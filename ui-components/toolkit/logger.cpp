#include "logger.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

namespace ui::framework::toolkit {
namespace {

std::mutex logMutex;
std::shared_ptr<Logger> defaultLogger;
std::vector<std::shared_ptr<LoggerListener>> listeners;

std::shared_ptr<Logger> currentLogger() {
    std::lock_guard lock(logMutex);
    if (!defaultLogger) defaultLogger = std::make_shared<ConsoleLogger>();
    return defaultLogger;
}

std::vector<std::shared_ptr<LoggerListener>> currentListeners() {
    std::lock_guard lock(logMutex);
    return listeners;
}

}  // namespace

void Logger::addInfo(const QString& message) {
    currentLogger()->log(INFO, message);
    for (const auto& listener : currentListeners()) listener->addInfo(message);
}

void Logger::addWarning(const QString& message) {
    currentLogger()->log(WARNING, message);
    for (const auto& listener : currentListeners()) listener->addWarning(message);
}

void Logger::addError(const QString& message) {
    currentLogger()->log(ERROR, message);
    for (const auto& listener : currentListeners()) listener->addError(message);
}

QString Logger::addMessage(int level, const QString& message) {
    return currentLogger()->log(level, message);
}

void Logger::setDefaultLogger(std::shared_ptr<Logger> logger) {
    std::lock_guard lock(logMutex);
    defaultLogger = std::move(logger);
}

void Logger::addLoggerListener(std::shared_ptr<LoggerListener> listener) {
    if (!listener) return;
    std::lock_guard lock(logMutex);
    listeners.push_back(std::move(listener));
}

void Logger::removeLoggerListener(const std::shared_ptr<LoggerListener>& listener) {
    std::lock_guard lock(logMutex);
    const auto found = std::find(listeners.begin(), listeners.end(), listener);
    if (found != listeners.end()) listeners.erase(found);
}

QString ConsoleLogger::log(int level, const QString& message) {
    QString line;
    switch (level) {
        case ERROR:
            line = QStringLiteral("**") + prefix() + message;
            break;
        case WARNING:
            line = QStringLiteral("*") + prefix() + message;
            break;
        case INFO:
            line = prefix() + message;
            break;
        default:
            return message;
    }
    // One write per line, so that lines from several threads never mix.
    const QByteArray bytes = (line + '\n').toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
    return line;
}

QString ConsoleLogger::prefix() const {
    if (!QCoreApplication::instance()) return QString();
    return QCoreApplication::applicationName() + QStringLiteral(": ");
}

}  // namespace ui::framework::toolkit
