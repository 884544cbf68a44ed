#include "vbprog/murvel/views/longload.h"

#include "vbprog/murvel/views/outlinelist.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>
#include <utility>
#include <vector>

namespace
{

constexpr int kFirstYield = 40;
constexpr int kBatch = 50;

// The Esc flags of the running loads, the innermost last.
std::vector<bool *> &escapeFlags()
{
    static std::vector<bool *> flags;
    return flags;
}

// Sees every key press of the application while it exists and hands Esc to the innermost
// running load. The key goes on to its window as usual.
class EscapeFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && !escapeFlags().empty())
            *escapeFlags().back() = true;
        return false;
    }
};

QString finishedMessage(int count, const QString &suffix)
{
    return QStringLiteral("載入完畢！ 共 ") + QString::number(count) + suffix;
}

void installEscapeFilter()
{
    static QPointer<EscapeFilter> filter; // owned by the application
    if (filter == nullptr && QCoreApplication::instance() != nullptr) {
        filter = new EscapeFilter(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
    }
}

} // namespace

const QString LongLoad::kLoadingMessage =
    QStringLiteral("字形載入中  ......       ") + QStringLiteral(" , 欲中斷請按 Esc 鍵");
const QString LongLoad::kDefaultSuffix = QStringLiteral(" 個字形");

// Shared by the LongLoad and the sessions on the stack, so that a request or a load that
// is still unwinding after its view was closed finds it.
struct LongLoad::State {
    QPointer<OutlineList> list;
    StatusSink status;
    bool ownerGone = false;
    bool running = false;
    bool superseded = false; // a newer request waits for the running load
    Job pending;
};

LongLoad::LongLoad(OutlineList *list, StatusSink status) : m_state(std::make_shared<State>())
{
    m_state->list = list;
    m_state->status = std::move(status);
}

LongLoad::~LongLoad()
{
    m_state->ownerGone = true;
    m_state->pending = nullptr;
}

bool LongLoad::busy() const
{
    return m_state->running;
}

void LongLoad::request(Job job)
{
    // Held here, as this LongLoad may be destroyed during the job's yields.
    const std::shared_ptr<State> state = m_state;
    state->pending = std::move(job);
    if (state->running) {
        state->superseded = true;
        return;
    }
    state->running = true;
    struct Idle {
        State &state;
        ~Idle() { state.running = false; }
    } idleAfterwards{*state};
    while (state->pending && !state->ownerGone) {
        const Job next = std::exchange(state->pending, nullptr);
        state->superseded = false;
        Session session(state);
        next(session);
    }
}

LongLoad::Session::Session(std::shared_ptr<State> state)
    : m_state(std::move(state)), m_list(m_state->list), m_nextYield(kFirstYield)
{
    installEscapeFilter();
    escapeFlags().push_back(&m_escPressed);
    showStatus(kLoadingMessage);
    m_wait.emplace();
    if (m_list != nullptr) {
        m_list->Clear();
        m_list->setRedraw(false);
    }
}

LongLoad::Session::~Session()
{
    std::erase(escapeFlags(), &m_escPressed);
    if (!m_finished && m_list != nullptr)
        m_list->setRedraw(true);
}

bool LongLoad::Session::closed() const
{
    return m_list == nullptr || m_state->ownerGone;
}

bool LongLoad::Session::stopped() const
{
    return m_escPressed || m_state->superseded || closed();
}

void LongLoad::Session::pace()
{
    if (closed())
        return;
    const int count = m_list->ListCount();
    if (count < m_nextYield)
        return;
    // The next count of the form 50k + 40 above this one. The count may climb by more
    // than one item between calls, so it is compared, not matched.
    m_nextYield = count + kBatch - (count + kBatch - kFirstYield) % kBatch;
    yield();
}

void LongLoad::Session::yield()
{
    const bool show = !m_lastShown.isValid() || m_lastShown.hasExpired(kShowIntervalMs);
    if (show) {
        m_list->setRedraw(true);
        m_lastShown.start();
    }
    m_wait.reset();
    QCoreApplication::processEvents();
    if (closed())
        return;
    if (show)
        m_list->setRedraw(false);
    m_wait.emplace();
}

void LongLoad::Session::showStatus(const QString &text) const
{
    if (!closed() && m_state->status)
        m_state->status(text);
}

QString LongLoad::Session::finish(int total, const QString &suffix)
{
    m_finished = true;
    m_wait.reset();
    const QString message = finishedMessage(total, suffix);
    // The status box is the main window's: the end message replaces the progress there
    // also when the view is gone.
    if (m_state->status)
        m_state->status(message);
    if (closed())
        return {};
    m_list->setRedraw(true);
    return message;
}
