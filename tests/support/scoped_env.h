// Sets or clears an environment variable for the life of one object, and
// puts back what was there before (set or not) when it goes.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace cartulo::support::testing {

class ScopedEnv {
  public:
    // Sets the variable, or clears it when `value` is null.
    ScopedEnv(std::string name, const char* value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) previous_ = std::string(old);
        put(value);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() { put(previous_ ? previous_->c_str() : nullptr); }

  private:
    void put(const char* value) {
        value ? ::setenv(name_.c_str(), value, 1) : ::unsetenv(name_.c_str());
    }
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace cartulo::support::testing
