#pragma once

#include <optional>
#include <string>
#include <string_view>

// A server's connection string ([Journal] Server), read by libpq's own
// parser so that every form libpq accepts is understood alike: key=value
// words with blanks around "=", quoted values, postgresql:// addresses with
// percent-encoded keys and a user:password part.
namespace teb {

// The string as libpq reads it, written again as key='value' words: what the
// journal hands its database library, which would otherwise cut "password = x"
// into words of its own. Empty when libpq cannot read the string.
std::optional<std::string> libpqConnectionString(std::string_view connection);

// "db.fab.example, database teb": the server as messages name it, never with
// its password.
std::string serverName(std::string_view connection);
// "db.fab.example/teb": the same, short, for the status strip.
std::string serverPlace(std::string_view connection);

// A message that may quote the connection string or its password: the string
// becomes the server's name, every password in it "(password)".
std::string withoutPassword(std::string message, std::string_view connection);

} // namespace teb
