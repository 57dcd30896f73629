#include "windows/main/cqv58_dlg_parts.h"

namespace teb {

CQV58DlgParts::CQV58DlgParts(CQV58DlgView &windowView, DialogHost &dialogs)
    : view(windowView), dialogGate(dialogs),
      job(dialogGate, link,
          {[this] { takeFromControls(); }, [this] { showInControls(); },
           [this] { return cycle.pagesForPlacement(); },
           [this](const PageImage &placed) { pages.showPlaced(placed); },
           [this] { return cycle.readUid(); },
           [this](const JournalEntry &unfinished, CycleTrack &track) { return cycle.finish(unfinished, track); }})
{
}

void CQV58DlgParts::takeFromControls()
{
    // The terminal view is read-only: the window's text is the one it holds.
    terminal.takeInput();
    pages.takeFromControls();
    job.takeFromControls(view);
    manual.takeFromControls();
}

void CQV58DlgParts::showInControls()
{
    terminal.showInput();
    terminal.showText();
    pages.showInControls();
    job.showInControls(view);
    manual.showInControls();
}

// After every event and whenever lines came from the reader.
void CQV58DlgParts::showStatus()
{
    const JobState &state = job.state();
    link.showStatus({state.currentSetName, state.journal ? state.journal->location() : std::string(),
                     state.journal ? state.journal->serverName() : std::string()});
}

void CQV58DlgParts::takeOverSettings(const StationSettings &settings)
{
    link.takeSettings(settings.interfaceSettings);
    pages.takeSettings(settings);
    job.takeSettings(settings);
    manual.takeSettings(settings);
}

StationSettings CQV58DlgParts::settingsToSave() const
{
    StationSettings settings;
    settings.interfaceSettings = link.settings();
    pages.putSettings(settings);
    job.putSettings(settings);
    manual.putSettings(settings);
    return settings;
}

void CQV58DlgParts::showSwitchImages()
{
    pages.showSwitchImages();
    manual.showSwitchImages();
    terminal.showTraceSwitch();
}

void CQV58DlgParts::clearTerminal()
{
    takeFromControls();
    terminal.clear();
    showInControls();
}

} // namespace teb
