// Synchronous event delivery with subscriptions that end when their handle
// is destroyed, so a window that has closed is never called again.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace cartulo {

// Move-only handle; destroying it (or calling reset) unsubscribes.
class Subscription {
  public:
    Subscription() = default;
    template <typename F>
    explicit Subscription(F unsubscribe)
        : unsubscribe_(std::make_unique<Holder<F>>(std::move(unsubscribe))) {}
    Subscription(Subscription&&) noexcept = default;
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            unsubscribe_ = std::move(other.unsubscribe_);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }

    void reset() {
        if (unsubscribe_) {
            auto u = std::move(unsubscribe_);
            u->call();
        }
    }
    explicit operator bool() const { return unsubscribe_ != nullptr; }

  private:
    struct Base {
        virtual ~Base() = default;
        virtual void call() = 0;
    };
    template <typename F>
    struct Holder : Base {
        explicit Holder(F f) : f(std::move(f)) {}
        void call() override { f(); }
        F f;
    };
    std::unique_ptr<Base> unsubscribe_;
};

// The listeners of one event source. The source may be destroyed before the
// subscriptions; the shared state keeps the handles safe either way.
template <typename Listener>
class ListenerList {
  public:
    ListenerList() : state_(std::make_shared<State>()) {}
    ListenerList(const ListenerList&) = delete;
    ListenerList& operator=(const ListenerList&) = delete;

    Subscription subscribe(Listener& listener) {
        state_->listeners.push_back(&listener);
        std::weak_ptr<State> weak = state_;
        Listener* target = &listener;
        return Subscription([weak, target] {
            if (auto state = weak.lock()) {
                auto& v = state->listeners;
                auto it = std::find(v.begin(), v.end(), target);
                if (it != v.end()) *it = nullptr;  // compacted after dispatch
                state->dirty = true;
                if (state->depth == 0) state->compact();
            }
        });
    }

    // Calls f(listener) for each listener in subscription order. Listeners
    // that unsubscribe during the call are skipped from then on; ones added
    // during the call are not called this time.
    template <typename F>
    void raise(F&& f) {
        auto state = state_;  // a listener may destroy the source
        ++state->depth;
        const std::size_t n = state->listeners.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (Listener* l = state->listeners[i]) f(*l);
        }
        if (--state->depth == 0 && state->dirty) state->compact();
    }

    std::size_t size() const {
        return static_cast<std::size_t>(std::count_if(state_->listeners.begin(),
                                                      state_->listeners.end(),
                                                      [](Listener* l) { return l != nullptr; }));
    }

  private:
    struct State {
        std::vector<Listener*> listeners;
        int depth = 0;
        bool dirty = false;
        void compact() {
            std::erase(listeners, nullptr);
            dirty = false;
        }
    };
    std::shared_ptr<State> state_;
};

}  // namespace cartulo
