#pragma once

#include "windows/journal_history/cjournal_dlg.h"

#include <optional>
#include <string>
#include <vector>

namespace teb::test {

// The journal window's boxes as a test reads them; its file choice answers
// `answer`.
class FakeJournalView : public CJournalDlgView {
public:
    std::string searchText() const override { return search; }
    void showRows(const std::vector<HistoryRow> &shown) override { rows = shown; }
    void showPaging(bool newerShown, bool olderShown) override
    {
        newer = newerShown;
        older = olderShown;
    }
    int selectedRow() const override { return -1; }
    void showStatus(const std::string &text) override { status = text; }
    void showTask(const std::optional<TaskDisplay> &shown) override { task = shown; }
    std::optional<std::filesystem::path> chooseFile(const FileDialogRequest &) override { return answer; }
    void showMessage(const MessageRequest &request) override { messages.push_back(request.text); }

    std::string search;
    std::vector<HistoryRow> rows;
    bool newer = false;
    bool older = false;
    std::string status;
    std::optional<TaskDisplay> task;
    std::optional<std::filesystem::path> answer;
    std::vector<std::string> messages;
};

} // namespace teb::test
