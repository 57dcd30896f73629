#include "windows/main/job/job_part.h"

namespace teb {

void JobPart::takeSettings(const StationSettings &settings)
{
    m_state.currentSetName = settings.currentSetName;
    m_state.setList = settings.setList;
    m_state.carrierIdMax = settings.carrierIdMax;
    m_state.csvDelimiter = settings.csvDelimiter; // an empty value already reads as ","
    m_state.silentFail = settings.silentFail;
    m_state.readBackAllPages = settings.readBackAllPages;
    m_state.journalServer = settings.journalServer;
    m_state.journalServerCut = settings.journalServerCut;
    m_state.stationName = settings.stationName;
}

void JobPart::putSettings(StationSettings &settings) const
{
    settings.currentSetName = m_state.currentSetName;
    settings.setList = m_state.setList;
    settings.carrierIdMax = m_state.carrierIdMax;
    settings.csvDelimiter = m_state.csvDelimiter;
}

void JobPart::showMessage(std::string text, MessageIcon icon)
{
    showOkMessage(m_dialogs, std::move(text), kWindowTitle, icon);
}

} // namespace teb
