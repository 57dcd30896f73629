#pragma once

#include "windows/main/continuous/continuous_part.h"
#include "windows/main/cqv58_dlg_view.h"
#include "windows/main/job/job_part.h"
#include "windows/main/manual/manual_part.h"
#include "windows/main/pages/pages_part.h"
#include "windows/main/result/result_part.h"

#include <functional>

namespace teb {

// Automatic and manual mode: what each shows, hides and lets the operator
// edit. Automatic mode shows the current set, "next"/"max" when the set
// counts, "One", "Cont On" and the result; manual mode the manual group.
class ModePart {
public:
    // The window as the modes see it.
    struct Window {
        std::function<void()> takeFromControls;
        std::function<void()> showInControls;
    };
    // The parts whose controls a mode shows or hides.
    struct Parts {
        PagesPart &pages;
        ManualPart &manual;
        ResultPart &result;
        ContinuousPart &continuous;
        const JobPart &job;
    };

    ModePart(CQV58DlgView &view, Parts parts, Window window)
        : m_view(view), m_parts(parts), m_window(std::move(window))
    {
    }

    // The "Automatic" / "Manual" switches: a click on the mode already
    // active runs the same steps.
    void switchTo(bool automatic);
    // The controls as the current mode has them.
    void refresh();

private:
    void showAutomatic();
    void showManual();
    void setCarrierIdRangeActive(bool active); // "next" and "max" with their spin buttons

    CQV58DlgView &m_view;
    Parts m_parts;
    Window m_window;
};

} // namespace teb
