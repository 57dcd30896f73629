// "Config": the editor opened with the window's values, and what "OK" takes over.
#include "windows/main/cqv58_dlg_fixture.h"

#include "windows/config/config_control.h"
#include "support/fake_cauto_dlg_view.h"

namespace teb::test {
namespace {

// A decimal counter set "job", current in manual mode, every page selected.
class ConfigCommandTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        writeSetFile("job", setFile(true, "Decimal counter",
                                    "Carrier ID=7\r\nCarrier ID Length=4\r\n[Work order Setup]\r\nQuantity=3"));
        std::string settings = iniLines({"[Auto]", "SelectConfig=0", "Pruefablauf_ist=job", "Pruefablaeufe=1",
                                         "Pruefablauf_0=job", "Carrier ID Max=500", "[Data]"});
        for (int page = 1; page <= 17; ++page)
            settings += "SelectP" + std::to_string(page) + "=1\r\nP" + std::to_string(page) + "=11 22 33 44 55 66 77 88\r\n";
        writeSettings(settings);
    }

    // The operator types a carrier ID and a quantity, saves when asked to, and leaves with `leave`.
    void scriptEditor(const std::string &carrierId, const std::string &quantity, bool save, ConfigControl leave)
    {
        dialogs.configDialog = [=, this](CAutoDlg &editor) {
            editor.open(configView);
            configView.setText(ConfigControl::CarrierId, carrierId);
            configView.setText(ConfigControl::Quantity, quantity);
            editor.takeFromControls();
            if (save) {
                configView.answers = {MessageAnswer::Yes};
                editor.save();
            }
            editor.clicked(leave);
            return leave == ConfigControl::OkButton ? DialogResult::Ok : DialogResult::Cancel;
        };
    }

    FakeCAutoDlgView configView;
};

// Without a save the set stays as it was: "Cancel" changes nothing, "OK"
// takes only the typed carrier ID and switches to automatic mode.
TEST_F(ConfigCommandTest, WithoutASaveCancelChangesNothingAndOkTakesOnlyTheCarrierId)
{
    for (const auto &[leave, next] : {std::pair(ConfigControl::CancelButton, "7"), std::pair(ConfigControl::OkButton, "0042")}) {
        SCOPED_TRACE(next);
        CQV58Dlg &w = start();
        const auto counted = w.parts().job.state().programmedCount;
        const auto pages = w.parts().pages.state().pageText;
        const auto selected = w.parts().pages.state().pageSelected;
        scriptEditor("0042", "25", false, leave);
        w.menuCommand(MenuItem::Config);
        EXPECT_EQ(w.parts().pages.state().automaticMode, leave == ConfigControl::OkButton);
        EXPECT_FALSE(w.parts().job.state().savedInEditor);
        EXPECT_EQ(w.parts().pages.state().pageSelected, selected);
        if (!w.parts().pages.state().automaticMode) {
            EXPECT_EQ(w.parts().pages.state().pageText, pages);
        }
        EXPECT_EQ(shown(Control::NextBox), next);
        // The fixed-data count is the journal's: only a save starts a new job.
        EXPECT_EQ(w.parts().job.state().programmedCount, counted);
    }
}

// After a save, "OK" switches to automatic mode with "max" at next + quantity - 1;
// a work order of no transponders leaves "max" below "next" instead of wrapping.
TEST_F(ConfigCommandTest, OkAfterASaveSetsTheLimitAndSwitchesToAutomaticMode)
{
    CQV58Dlg &w = start();
    scriptEditor("1000", "25", true, ConfigControl::OkButton);
    w.menuCommand(MenuItem::Config);
    ASSERT_TRUE(w.parts().job.state().savedInEditor) << (configView.messages.empty() ? "" : configView.messages[0].text);
    EXPECT_TRUE(w.parts().pages.state().automaticMode);
    EXPECT_EQ(shown(Control::NextBox), "1000");
    EXPECT_EQ(shown(Control::MaxBox), "1024");
    EXPECT_EQ(w.parts().job.state().programmedCount, 0u); // a new job, with its header in the record file
    EXPECT_TRUE(w.parts().job.state().jobHeaderPending);
    EXPECT_EQ(shown(Control::PageBox3), "00 00 00 00 00 00 00 00"); // rebuilt from the set

    for (const auto &[next, quantity, max] : {std::tuple("1000", "0", "999"), std::tuple("0", "0", "0")}) {
        scriptEditor(next, quantity, true, ConfigControl::OkButton);
        w.menuCommand(MenuItem::Config);
        EXPECT_EQ(shown(Control::MaxBox), max) << next << " " << quantity;
    }
}

// The progress an earlier version kept is taken over into the journal; a
// carrier ID typed in the editor is taken, and a restart goes on from the
// first ID at or after the set file's start that no transponder holds.
TEST_F(ConfigCommandTest, TheSetGoesOnFromTheJournalUnlessACarrierIdIsTyped)
{
    writeFileBytes(dir / "job.progress",
                   iniLines({"[Progress]", "Start Carrier ID=7", "Start Counter Value=", "Carrier ID=31", "Counter Value="}));
    CQV58Dlg &w = start();
    EXPECT_EQ(shown(Control::NextBox), "31");

    dialogs.configDialog = [this](CAutoDlg &editor) {
        editor.open(configView);
        editor.clicked(ConfigControl::OkButton);
        return DialogResult::Ok;
    };
    w.menuCommand(MenuItem::Config);
    EXPECT_EQ(shown(Control::NextBox), "31");

    scriptEditor("0042", "3", false, ConfigControl::OkButton);
    w.menuCommand(MenuItem::Config);
    EXPECT_EQ(shown(Control::NextBox), "0042");
    EXPECT_FALSE(std::filesystem::exists(dir / "job.progress"));
}

// The set "job" runs with its counter page from 00000005 and the journal
// holds 00000010 on a tag. Choosing "job" again in "Name" keeps where the job
// stands: no serial and no carrier ID comes round a second time, and nothing
// is said about a carrier ID the operator never typed.
TEST_F(ConfigCommandTest, ChoosingTheRunningSetAgainKeepsWhereTheJobStands)
{
    std::string set = setFile(true, "Decimal counter", "Carrier ID=7\r\nCarrier ID Length=4");
    const std::string writePages = "Write Pages 3-17=1\r\n";
    set.replace(set.find(writePages), writePages.size(), writePages + "Counter Page=5\r\nCounter Value=00000005\r\n");
    writeSetFile("job", set);
    writeFileBytes(dir / "job.progress", iniLines({"[Progress]", "Start Carrier ID=7", "Start Counter Value=00000005",
                                                   "Carrier ID=31", "Counter Value=00000011"}));
    CQV58Dlg &w = start();
    ASSERT_EQ(w.parts().job.state().currentSet.counterValue, "00000011");
    view.setText(Control::NextBox, "40"); // typed, not saved

    dialogs.configDialog = [this](CAutoDlg &editor) {
        editor.open(configView);
        configView.setText(ConfigControl::NameList, "job");
        editor.selectionChanged(ConfigControl::NameList);
        editor.timerFired(ConfigTimer::NameChoice);
        editor.clicked(ConfigControl::OkButton);
        return DialogResult::Ok;
    };
    dialogs.messages.clear();
    w.menuCommand(MenuItem::Config);
    EXPECT_EQ(w.parts().job.state().currentSet.counterValue, "00000011");
    EXPECT_EQ(shown(Control::NextBox), "40");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
}

} // namespace
} // namespace teb::test
