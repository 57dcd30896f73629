#include "journal/server_text.h"

#include <cctype>
#include <vector>

namespace teb {
namespace {

bool isUri(std::string_view connection)
{
    return connection.starts_with("postgresql://") || connection.starts_with("postgres://");
}

// The key=value words of a libpq connection string; a value may be quoted
// with single quotes and hold escaped characters.
std::vector<std::string> keywordWords(std::string_view connection)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    for (std::size_t i = 0; i < connection.size(); ++i) {
        const char c = connection[i];
        if (c == '\\' && i + 1 < connection.size()) {
            word += c;
            word += connection[++i];
        } else if (c == '\'') {
            quoted = !quoted;
            word += c;
        } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

std::string uriWithoutPassword(std::string connection)
{
    const std::size_t hostStart = connection.find("://") + 3;
    const std::size_t at = connection.find('@', hostStart);
    const std::size_t slash = connection.find('/', hostStart);
    if (at != std::string::npos && (slash == std::string::npos || at < slash)) {
        const std::size_t colon = connection.find(':', hostStart);
        if (colon != std::string::npos && colon < at)
            connection.erase(colon, at - colon);
    }
    const std::size_t query = connection.find('?');
    if (query == std::string::npos)
        return connection;
    std::string kept;
    std::size_t start = query + 1;
    while (start <= connection.size()) {
        const std::size_t end = std::min(connection.find('&', start), connection.size());
        const std::string parameter = connection.substr(start, end - start);
        if (!parameter.starts_with("password=") && !parameter.empty())
            kept += (kept.empty() ? "?" : "&") + parameter;
        start = end + 1;
    }
    return connection.substr(0, query) + kept;
}

} // namespace

std::string serverWithoutPassword(std::string_view connection)
{
    if (isUri(connection))
        return uriWithoutPassword(std::string(connection));
    std::string kept;
    for (const std::string &word : keywordWords(connection)) {
        std::string key = word.substr(0, word.find('='));
        while (!key.empty() && std::isspace(static_cast<unsigned char>(key.back())))
            key.pop_back();
        if (key == "password")
            continue;
        kept += (kept.empty() ? "" : " ") + word;
    }
    return kept.empty() ? std::string("(the default server)") : kept;
}

std::string withoutPassword(std::string message, std::string_view connection)
{
    const std::string shown = serverWithoutPassword(connection);
    for (std::size_t at = message.find(connection); !connection.empty() && at != std::string::npos;
         at = message.find(connection, at + shown.size()))
        message.replace(at, connection.size(), shown);
    return message;
}

} // namespace teb
