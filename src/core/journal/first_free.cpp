#include "journal/first_free.h"

#include "journal/journal_store.h"

#include <cstdio>

namespace teb::journal_store {
namespace {

void putJsonString(std::string &json, std::string_view text)
{
    json += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    json += '"';
}

void putField(std::string &json, std::string_view name, const std::optional<std::string> &value)
{
    if (json.back() != '{')
        json += ',';
    putJsonString(json, name);
    json += ':';
    if (value)
        putJsonString(json, *value);
    else
        json += "null";
}

// One object per entry, its keys the table's columns, as json_populate_recordset takes them.
std::string candidatesJson(const std::vector<JournalEntry> &offered)
{
    std::string json = "[";
    for (const JournalEntry &entry : offered) {
        const StoredRow row = storedRowOf(entry);
        if (json.size() > 1)
            json += ',';
        json += '{';
        putField(json, "carrier_key", row.holdsCarrierId ? std::optional(row.carrierKey) : std::nullopt);
        putField(json, "pages_key", row.pagesKey);
        putField(json, "carrier_hex", row.carrierKey);
        putField(json, "carrier_id", row.shownCarrierId);
        putField(json, "numeric_id", row.numericId ? std::optional(std::to_string(*row.numericId)) : std::nullopt);
        putField(json, "id_length", std::to_string(row.idLength));
        putField(json, "set_name", entry.setName);
        putField(json, "source", entry.source);
        putField(json, "position", entry.position);
        putField(json, "csv_file", entry.csvFile);
        putField(json, "csv_row_hex", row.csvRowHex);
        putField(json, "csv_delimiter", entry.csvDelimiter);
        putField(json, "csv_marked", entry.csvMarked ? "1" : "0");
        putField(json, "counter_page_value", entry.counterPageValue);
        putField(json, "counter_start", entry.counterStart);
        putField(json, "job", std::to_string(entry.job));
        putField(json, "uid", entry.uid);
        putField(json, "state", row.state);
        putField(json, "reserved_at", entry.reservedAt);
        putField(json, "finished_at", entry.finishedAt);
        putField(json, "station", entry.station);
        putField(json, "pages_hex", entry.pagesHex);
        putField(json, "pages_locked", entry.pagesLocked);
        json += '}';
    }
    return json + "]";
}

std::string arrayLiteral(const std::vector<std::int64_t> &ids)
{
    std::string literal = "{";
    for (const std::int64_t id : ids)
        literal += (literal.size() > 1 ? "," : "") + std::to_string(id);
    return literal + "}";
}

void addToHistory(TransponderHistory &history, JournalEntry entry)
{
    auto &slot = entry.state == CycleState::Programmed ? history.programmed
                 : entry.state == CycleState::Spoiled  ? history.spoiled
                                                       : history.unfinished;
    if (!slot)
        slot = std::move(entry);
}

bool heldByATakenOverRange(soci::session &sql, const JournalEntry &entry)
{
    const auto number = numericId(entry.carrierId);
    if (!number)
        return false;
    const int length = static_cast<int>(entry.carrierId.size());
    int ranges = 0;
    sql << "SELECT COUNT(*) FROM issued_ranges WHERE id_length = :length AND first_value <= :low AND last_value >= :high",
        soci::use(length), soci::use(*number), soci::use(*number), soci::into(ranges);
    return ranges > 0;
}

std::string selectedColumns()
{
    std::string columns;
    std::string_view rest = kColumns;
    while (!rest.empty()) {
        const auto comma = rest.find(',');
        std::string_view name = rest.substr(0, comma);
        while (name.starts_with(' '))
            name.remove_prefix(1);
        columns += (columns.empty() ? "(r.entry)." : ", (r.entry).") + std::string(name);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return columns;
}

} // namespace

const std::string_view kReserveFirstFree = R"SQL(
CREATE OR REPLACE FUNCTION teb_reserve_first_free(p_uid TEXT, p_offered JSON, p_recorded BIGINT[])
RETURNS TABLE (entry cycles, taken BOOLEAN) LANGUAGE plpgsql AS $fn$
DECLARE
    offered cycles;
    new_id BIGINT;
BEGIN
    UPDATE cycles SET recorded = 1 WHERE id = ANY (p_recorded);
    RETURN QUERY SELECT h, FALSE FROM cycles h WHERE h.uid = p_uid AND h.state <> 'failed'
        ORDER BY CASE h.state WHEN 'programmed' THEN 1 WHEN 'spoiled' THEN 2 ELSE 0 END, h.id DESC LIMIT 1;
    IF FOUND THEN
        RETURN;
    END IF;
    FOR offered IN SELECT * FROM json_populate_recordset(NULL::cycles, p_offered) LOOP
        CONTINUE WHEN offered.numeric_id IS NOT NULL AND EXISTS (
            SELECT 1 FROM issued_ranges r WHERE r.id_length = offered.id_length
            AND r.first_value <= offered.numeric_id AND r.last_value >= offered.numeric_id);
        INSERT INTO cycles (carrier_key, pages_key, carrier_hex, carrier_id, numeric_id, id_length, set_name, source,
            position, csv_file, csv_row_hex, csv_delimiter, csv_marked, counter_page_value, counter_start, job, uid,
            state, reserved_at, finished_at, station, pages_hex, pages_locked)
        VALUES (offered.carrier_key, offered.pages_key, offered.carrier_hex, offered.carrier_id, offered.numeric_id,
            offered.id_length, offered.set_name, offered.source, offered.position, offered.csv_file,
            offered.csv_row_hex, offered.csv_delimiter, offered.csv_marked, offered.counter_page_value,
            offered.counter_start, offered.job, offered.uid, offered.state, offered.reserved_at,
            offered.finished_at, offered.station, offered.pages_hex, offered.pages_locked)
        ON CONFLICT DO NOTHING RETURNING id INTO new_id;
        IF new_id IS NOT NULL THEN
            RETURN QUERY SELECT c, TRUE FROM cycles c WHERE c.id = new_id;
            RETURN;
        END IF;
    END LOOP;
END
$fn$)SQL";

FirstFreeReservation reserveFirstFreeOnServer(soci::session &sql, const std::string &uid,
                                              const std::vector<JournalEntry> &offered,
                                              const std::vector<std::int64_t> &recorded)
{
    FirstFreeReservation answer;
    const std::string json = candidatesJson(offered);
    const std::string notes = arrayLiteral(recorded);
    // A query run once, not prepared: one round trip.
    soci::row row;
    sql << "SELECT " << selectedColumns()
        << ", CAST(r.taken AS INTEGER) FROM teb_reserve_first_free(:uid, CAST(:offered AS JSON),"
           " CAST(:recorded AS BIGINT[])) r",
        soci::use(uid), soci::use(json), soci::use(notes), soci::into(row);
    if (!sql.got_data())
        return answer;
    JournalEntry entry = entryOf(row);
    if (row.get<int>(19) != 0)
        answer.reserved = std::move(entry);
    else
        addToHistory(answer.history, std::move(entry));
    return answer;
}

FirstFreeReservation reserveFirstFreeInFile(soci::session &sql, const std::string &uid,
                                            const std::vector<JournalEntry> &offered,
                                            const std::vector<std::int64_t> &recorded)
{
    FirstFreeReservation answer;
    soci::transaction transaction(sql);
    if (!recorded.empty()) {
        std::vector<long long> ids(recorded.begin(), recorded.end());
        sql << "UPDATE cycles SET recorded = 1 WHERE id = :id", soci::use(ids);
    }
    for (JournalEntry &entry : entriesOf((sql.prepare << "SELECT " << kColumns
                                                      << " FROM cycles WHERE uid = :uid AND state <> 'failed' ORDER BY id DESC",
                                          soci::use(uid))))
        addToHistory(answer.history, std::move(entry));
    const bool holdsSomething = answer.history.programmed || answer.history.unfinished || answer.history.spoiled;
    for (std::size_t i = 0; !holdsSomething && i < offered.size(); ++i) {
        if (heldByATakenOverRange(sql, offered[i]))
            continue;
        try {
            JournalEntry entry = offered[i];
            entry.id = insertEntry(sql, entry);
            answer.reserved = std::move(entry);
            break;
        } catch (const soci::soci_error &error) {
            if (!isUniqueViolation(error))
                throw;
        }
    }
    transaction.commit();
    return answer;
}

} // namespace teb::journal_store
