#include "app/reader_watch.h"

#include "app/time_of_day.h"

namespace teb {

bool ReaderWatch::sending(const ReaderCommand &)
{
    m_sentAt = m_clock();
    return true;
}

void ReaderWatch::exchanged(const ReaderCommand &, const ReaderTransaction &transaction)
{
    if (transaction.heldBack)
        return;
    // A command the line would not take (an adapter pulled) went unanswered too.
    if (transaction.answer.empty())
        m_activity.silent(timeOfDay(m_sentAt));
    else
        m_activity.answered(timeOfDay(m_clock()));
}

} // namespace teb
