#include "station.h"

namespace teb::gui {

Station::Station(CQV58Dlg::DirectorySource currentDirectory)
    : m_dialogs(m_window, [this] { return m_model.parts().job.state().workingDirectory; }),
      m_model(m_view, m_dialogsOnWindow, std::move(currentDirectory))
{
    m_window.setEvents(&m_relay);
    m_window.setInputLock([this] { return m_relay.waitingForReader(); });
}

// The model's thread ends before the model: nothing runs on it any more.
Station::~Station()
{
    finish();
    m_window.setEvents(nullptr);
    m_relay.stop();
}

void Station::initialiseOnce()
{
    if (m_initialised)
        return;
    m_initialised = true;
    m_relay.initialise();
}

void Station::show()
{
    initialiseOnce();
    m_window.show();
}

DialogResult Station::run()
{
    initialiseOnce();
    const int result = m_window.stoppedFromOutside() ? QDialog::Rejected : m_window.exec();
    finish();
    return result == QDialog::Accepted ? DialogResult::Ok : DialogResult::Cancel;
}

void Station::finish()
{
    if (m_finished || !m_initialised)
        return;
    m_finished = true;
    m_relay.destroy();
}

} // namespace teb::gui
