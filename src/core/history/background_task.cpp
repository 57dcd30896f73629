#include "history/background_task.h"

#include <exception>

namespace teb {

BackgroundTask::BackgroundTask(Work work)
    : m_thread([this, work = std::move(work)](std::stop_token stop) {
          try {
              m_outcome = work(stop, m_progress);
          } catch (const std::exception &error) {
              m_outcome = TaskOutcome{TaskOutcome::End::Failed, error.what()};
          }
          m_finished.store(true, std::memory_order_release);
      })
{
}

} // namespace teb
