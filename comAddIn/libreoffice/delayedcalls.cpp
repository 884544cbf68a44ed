#include "comAddIn/libreoffice/delayedcalls.h"

#include <algorithm>
#include <com/sun/star/awt/AsyncCallback.hpp>
#include <com/sun/star/awt/XCallback.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <cppuhelper/implbase1.hxx>

using namespace css;

namespace lohost
{

namespace
{

class Callback : public cppu::WeakImplHelper1<awt::XCallback>
{
public:
    explicit Callback(std::function<void()> run) : m_run(std::move(run)) {}
    void SAL_CALL notify(const uno::Any &) override { m_run(); }

private:
    std::function<void()> m_run;
};

} // namespace

DelayedCalls::~DelayedCalls()
{
    {
        std::lock_guard lock(m_lock);
        m_stopping = true;
        m_calls.clear();
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void DelayedCalls::after(const uno::Reference<uno::XComponentContext> &context,
                         std::chrono::milliseconds delay, std::function<void()> call)
{
    {
        std::lock_guard lock(m_lock);
        m_calls.push_back({std::chrono::steady_clock::now() + delay, context, std::move(call)});
        if (!m_thread.joinable())
            m_thread = std::thread([this] { wait(); });
    }
    m_changed.notify_all();
}

void DelayedCalls::wait()
{
    std::unique_lock lock(m_lock);
    while (!m_stopping) {
        if (m_calls.empty()) {
            m_changed.wait(lock);
            continue;
        }
        const auto first =
            std::min_element(m_calls.begin(), m_calls.end(),
                             [](const Call &a, const Call &b) { return a.due < b.due; });
        if (std::chrono::steady_clock::now() < first->due) {
            m_changed.wait_until(lock, first->due);
            continue;
        }
        Call due = std::move(*first);
        m_calls.erase(first);
        lock.unlock();
        try {
            awt::AsyncCallback::create(due.context)
                ->addCallback(new Callback(std::move(due.run)), uno::Any());
        } catch (const uno::Exception &) {
            // The office is closing.
        }
        lock.lock();
    }
}

} // namespace lohost
