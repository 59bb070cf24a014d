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
        if (value != nullptr) {
            ::setenv(name_.c_str(), value, 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        if (previous_) {
            ::setenv(name_.c_str(), previous_->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

  private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace cartulo::support::testing
