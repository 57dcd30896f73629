#include "windows/journal_history/history_rows.h"

namespace teb {
namespace {

std::string quoted(std::string_view field)
{
    std::string text = "\"";
    for (const char c : field) {
        if (c == '"')
            text += '"';
        text += c;
    }
    return text + '"';
}

} // namespace

std::string historyCsvLine(const HistoryRow &row)
{
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i)
        line += (i == 0 ? "" : ",") + quoted(row[i]);
    return line + "\r\n";
}

const HistoryRow &historyColumnTitles()
{
    static const HistoryRow titles{"Carrier ID", "UID",      "State",    "Set",    "Source",
                                   "Position",   "Reserved", "Finished", "Station"};
    return titles;
}

HistoryRow historyRow(const JournalEntry &entry)
{
    const bool fixedData = entry.source == journal_source::kFixData;
    return HistoryRow{fixedData ? "(fixed data no. " + entry.position + ")" : entry.shownCarrierId(),
                      entry.uid,
                      std::string(stateName(entry.state)),
                      entry.setName,
                      entry.source,
                      entry.csvFile.empty() ? entry.position : entry.csvFile + " line " + entry.position,
                      entry.reservedAt,
                      entry.finishedAt,
                      entry.station};
}

} // namespace teb
