#include "journal/server_text.h"

#include <libpq-fe.h>

#include <memory>
#include <utility>
#include <vector>

namespace teb {
namespace {

using Option = std::pair<std::string, std::string>;

// The keywords the string sets, in libpq's order; nullopt when libpq cannot
// read it. libpq's own error text is not kept: it may quote a password.
std::optional<std::vector<Option>> parsedOptions(std::string_view connection)
{
    const std::string text(connection);
    char *error = nullptr;
    std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(PQconninfoParse(text.c_str(), &error),
                                                                         &PQconninfoFree);
    PQfreemem(error);
    if (!options)
        return std::nullopt;
    std::vector<Option> set;
    for (const PQconninfoOption *option = options.get(); option->keyword != nullptr; ++option)
        if (option->val != nullptr)
            set.emplace_back(option->keyword, option->val);
    return set;
}

bool isSecret(std::string_view keyword) { return keyword == "password" || keyword == "sslpassword"; }

std::string valueOf(const std::vector<Option> &options, std::string_view keyword)
{
    for (const auto &[key, value] : options)
        if (key == keyword)
            return value;
    return {};
}

std::string quoted(std::string_view value)
{
    std::string text = "'";
    for (const char c : value) {
        if (c == '\'' || c == '\\')
            text += '\\';
        text += c;
    }
    return text + "'";
}

void replaceAll(std::string &text, std::string_view found, std::string_view replacement)
{
    if (found.empty())
        return;
    for (std::size_t at = text.find(found); at != std::string::npos; at = text.find(found, at + replacement.size()))
        text.replace(at, found.size(), replacement);
}

} // namespace

std::optional<std::string> libpqConnectionString(std::string_view connection)
{
    const auto options = parsedOptions(connection);
    if (!options)
        return std::nullopt;
    std::string text;
    for (const auto &[key, value] : *options)
        text += (text.empty() ? "" : " ") + key + "=" + quoted(value);
    return text;
}

namespace {

struct ServerParts {
    std::string host; // with its port when one is given
    std::string database;
};

std::optional<ServerParts> serverParts(std::string_view connection)
{
    const auto options = parsedOptions(connection);
    if (!options)
        return std::nullopt;
    std::string host = valueOf(*options, "host");
    if (host.empty())
        host = valueOf(*options, "hostaddr");
    if (host.empty())
        host = "(the default host)";
    if (const std::string port = valueOf(*options, "port"); !port.empty())
        host += ":" + port;
    return ServerParts{host, valueOf(*options, "dbname")};
}

constexpr std::string_view kNoConnectionString = "(a Server setting that is no connection string)";

} // namespace

std::string serverName(std::string_view connection)
{
    const auto parts = serverParts(connection);
    if (!parts)
        return std::string(kNoConnectionString);
    return parts->database.empty() ? parts->host : parts->host + ", database " + parts->database;
}

std::string serverPlace(std::string_view connection)
{
    const auto parts = serverParts(connection);
    if (!parts)
        return std::string(kNoConnectionString);
    return parts->database.empty() ? parts->host : parts->host + "/" + parts->database;
}

std::string withoutPassword(std::string message, std::string_view connection)
{
    replaceAll(message, connection, serverName(connection));
    if (const auto options = parsedOptions(connection))
        for (const auto &[key, value] : *options)
            if (isSecret(key))
                replaceAll(message, value, "(password)");
    return message;
}

} // namespace teb
