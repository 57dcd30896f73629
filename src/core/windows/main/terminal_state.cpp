#include "windows/main/terminal_state.h"

#include "windows/main/terminal_text.h"

namespace teb {

TerminalChange TerminalState::changeToShow()
{
    if (terminalText == terminalShown)
        return {};
    const bool onTop = terminalText.size() > terminalShown.size() && terminalText.ends_with(terminalShown);
    TerminalChange change{TerminalChange::Kind::Replace, {}};
    if (onTop)
        change = {TerminalChange::Kind::OnTop, terminalText.substr(0, terminalText.size() - terminalShown.size())};
    keepNewestLines(terminalText);
    if (!onTop)
        change.text = terminalText;
    terminalShown = terminalText;
    return change;
}

} // namespace teb
