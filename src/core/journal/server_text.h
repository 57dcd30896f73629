#pragma once

#include <string>
#include <string_view>

// A server's connection string as messages may show it: never its password.
namespace teb {

// "host=db user=bench password=x dbname=teb" -> "host=db user=bench dbname=teb";
// "postgresql://bench:x@db/teb?password=y" -> "postgresql://bench@db/teb".
std::string serverWithoutPassword(std::string_view connection);

// A message that may quote the connection string, with its password taken out.
std::string withoutPassword(std::string message, std::string_view connection);

} // namespace teb
