#pragma once

#include "windows/config/cauto_dlg.h"

#include <gtest/gtest.h>

#include <memory>

#include "params/parameter_set_file.h"
#include "params/parameter_set_save.h"
#include "support/fake_cauto_dlg_view.h"
#include "support/temp_dir.h"

namespace teb::test {

// A working directory with set files, a fake "Config" view and the dialog model on it.
class ConfigEditorTest : public testing::Test {
public:
    // A decimal-counter set whose page 2 holds "AA" bytes, so that clearing shows.
    static ParameterSet decimalSet(const std::string &name, const std::string &offset, const std::string &length)
    {
        ParameterSet set;
        set.name = name;
        set.useDecimalCounter = true;
        set.carrierIdOffset = offset;
        set.carrierIdLength = length;
        set.memoryPage = "1";
        set.transponderTi = true;
        set.counterPage = "None";
        set.alignment = "None";
        set.quantity = "25";
        for (PageSetting &page : set.pages) {
            page.hex.fill("41");
            page.ascii.fill("A");
        }
        set.pages[1].hex.fill("AA");
        return set;
    }

    static ParameterSet csvSet(const std::string &offset, const std::string &length, const std::string &memoryPage)
    {
        ParameterSet set = decimalSet("job", offset, length);
        set.useDecimalCounter = false;
        set.useCsvFile = true;
        set.memoryPage = memoryPage;
        return set;
    }

protected:
    void store(const ParameterSet &set)
    {
        SetList list;
        ASSERT_EQ(saveParameterSet(dir.path(), set, list, [] { return true; }), SaveOutcome::Saved);
        if (!setList.contains(set.name))
            setList.add(set.name);
    }

    ConfigEditorInput input(const std::string &name, const std::string &carrierId = "")
    {
        ConfigEditorInput in;
        in.workingDirectory = dir.path();
        in.currentSetName = name;
        in.setList = setList;
        in.carrierId = carrierId;
        in.counterValue = "00000001";
        in.counterPage = "None";
        in.alignment = "None";
        return in;
    }

    // A fresh view and dialog each time, so that a table of cases can open one per row.
    CAutoDlg &open(const ConfigEditorInput &in)
    {
        dialog.reset();
        view = FakeCAutoDlgView();
        dialog = std::make_unique<CAutoDlg>(in);
        dialog->open(view);
        return *dialog;
    }

    CAutoDlg &openStored(const ParameterSet &set, const std::string &carrierId = "")
    {
        store(set);
        return open(input(set.name, carrierId));
    }

    std::string hexAt(int byte) const { return dialog->set().pages[byte / 8].hex[byte % 8]; }

    TempDir dir;
    SetList setList;
    FakeCAutoDlgView view;
    std::unique_ptr<CAutoDlg> dialog;
};

} // namespace teb::test
