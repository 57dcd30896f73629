#pragma once

// The data of the trials that program transponders over and over (kill
// trials, crash-state trials): carrier IDs of 16 digits from a decimal
// counter, a CSV file or complete data sets, and what the simulated reader's
// write log says the transponders hold at the end.

#include "journal/carrier_id_journal.h"
#include "params/parameter_set.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace teb::test {

inline constexpr int kIdLength = 16;

// The trials' carrier ID of a number: its digits, zero-filled.
inline std::string idOf(long long number)
{
    const std::string digits = std::to_string(number);
    return std::string(kIdLength - digits.size(), '0') + digits;
}

// The set takes its carrier IDs from `file`, a CSV file of the first `rows` of them.
inline void useIdFile(ParameterSet &job, const std::filesystem::path &file, int rows)
{
    job.useDecimalCounter = false;
    job.useCsvFile = true;
    job.csvFileName = file.string();
    std::string csv = "Carrier ID,done\r\n";
    for (int row = 1; row <= rows; ++row)
        csv += idOf(row) + ",\r\n";
    writeFileBytes(file, csv);
}

// The set takes complete data sets from "sets.csv" in `folder`: `rows` of
// them, each a carrier ID in pages 1 and 2 and the pages 3 to 17, all locked.
inline void useCompleteDataSets(ParameterSet &job, const std::filesystem::path &folder, int rows)
{
    job.useDecimalCounter = false;
    job.csvFileComplete = true;
    job.csvFileName = "sets.csv";
    std::string csv = "ASCII (A), HEX(X),Carrier ID offset,Carrier ID length,Carrier ID,Lock Carrier ID,";
    for (int page = 3; page <= 17; ++page)
        csv += "page" + std::to_string(page) + ",Lock page" + std::to_string(page) + ",";
    csv += "done\r\n";
    for (int row = 1; row <= rows; ++row) {
        csv += "A,0,16," + idOf(row) + ",1,";
        for (int page = 3; page <= 17; ++page)
            csv += "P" + std::to_string(page) + ",1,";
        csv += "\r\n";
    }
    writeFileBytes(folder / "sets.csv", csv);
}

// What the transponders hold at the end, from the reader's log of the writes
// that took effect ("<UID> WD n <hex>", "<UID> LD n"): per UID, the carrier
// ID in pages 1 and 2.
inline std::map<std::string, std::string> carrierIdsOnTransponders(const std::filesystem::path &writeLog)
{
    std::map<std::string, std::array<std::string, 2>> pages;
    std::istringstream lines(readFileBytes(writeLog));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string uid, command, page, hex;
        if (words >> uid >> command >> page >> hex && command == "WD" && (page == "1" || page == "2"))
            pages[uid][page == "1" ? 0 : 1] = hex;
    }
    std::map<std::string, std::string> ids;
    for (const auto &[tag, hexPages] : pages) {
        const std::string hexId = hexPages[0] + hexPages[1];
        if (hexId.size() != 2 * kIdLength)
            continue; // a page never written: no whole carrier ID on this tag
        std::string id;
        for (std::size_t i = 0; i < hexId.size(); i += 2)
            id.push_back(static_cast<char>(std::stoi(hexId.substr(i, 2), nullptr, 16)));
        ids[tag] = id;
    }
    return ids;
}

// Every carrier ID on the transponders is on one alone, and the journal holds
// it for that one as programmed or (its cycle cut off) uncertain; the count
// of those programmed.
inline int programmedOnTransponders(const std::map<std::string, std::string> &onTags, CarrierIdJournal &journal)
{
    std::map<std::string, std::set<std::string>> tagsOfId;
    for (const auto &[uid, id] : onTags)
        tagsOfId[id].insert(uid);
    int programmed = 0;
    for (const auto &[id, tags] : tagsOfId) {
        EXPECT_EQ(tags.size(), 1u) << "carrier ID " << id << " is on " << tags.size() << " transponders";
        const auto holder = journal.holderOf(id);
        EXPECT_TRUE(holder) << "carrier ID " << id << " is on a tag but not in the journal";
        if (!holder)
            continue;
        EXPECT_EQ(holder->uid, *tags.begin()) << id;
        EXPECT_TRUE(holder->state == CycleState::Programmed || holder->state == CycleState::Uncertain) << id;
        programmed += holder->state == CycleState::Programmed ? 1 : 0;
    }
    return programmed;
}

} // namespace teb::test
