#pragma once

#include <chrono>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Runs functions on the office's thread once their time has come. A thread of its own,
// started at the first call, waits for them; what has not run when the object goes never
// runs.
namespace lohost
{

class DelayedCalls
{
public:
    DelayedCalls() = default;
    ~DelayedCalls();
    DelayedCalls(const DelayedCalls &) = delete;
    DelayedCalls &operator=(const DelayedCalls &) = delete;

    void after(const css::uno::Reference<css::uno::XComponentContext> &context,
               std::chrono::milliseconds delay, std::function<void()> call);

private:
    struct Call {
        std::chrono::steady_clock::time_point due;
        css::uno::Reference<css::uno::XComponentContext> context;
        std::function<void()> run;
    };
    void wait();

    std::mutex m_lock; // guards the members below
    std::condition_variable m_changed;
    std::vector<Call> m_calls;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace lohost
