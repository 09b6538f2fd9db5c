#pragma once
// Process settings a test changes for its own length only.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdlib>

#include "proxy_properties.h"

namespace ui::testing {

// An environment variable set while the object lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.toUtf8().constData(), 1);
    }
    ~ScopedEnv() {
        if (old_.isNull()) {
            unsetenv(name_);
        } else {
            setenv(name_, old_.constData(), 1);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    QByteArray old_;
};

// The process's proxy settings, as a process started with these environment variables has them.
class ScopedProxyProperties {
public:
    explicit ScopedProxyProperties(QHash<QString, QString> environment = {})
        : properties_([environment](const QString& name) -> std::optional<QString> {
              if (!environment.contains(name)) return std::nullopt;
              return environment.value(name);
          }) {
        setProxyProperties(&properties_);
    }
    ~ScopedProxyProperties() { setProxyProperties(nullptr); }
    ScopedProxyProperties(const ScopedProxyProperties&) = delete;
    ScopedProxyProperties& operator=(const ScopedProxyProperties&) = delete;

    ProxyProperties& operator*() { return properties_; }
    ProxyProperties* operator->() { return &properties_; }

private:
    ProxyProperties properties_;
};

}  // namespace ui::testing
