#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The address of a centre's PostgreSQL server as the instructor types it: a connection URI,
// postgresql://user@host:port/database. The password never belongs in it: it comes from the
// station user's .pgpass (or the file PGPASSFILE names), which the server's own client library
// reads; Ardentix neither asks for it nor keeps it.
namespace ardentix {

inline constexpr int kDefaultCentrePort = 5432;

struct CentreAddress {
    std::string host;
    int port = kDefaultCentrePort;
    std::string database;
    std::string user;
    // The URI's query parameters (sslmode=require, connect_timeout=10), passed on as they are.
    std::vector<std::pair<std::string, std::string>> options;
};

struct CentreUri {
    bool ok = false;
    CentreAddress address;
    // Why the text is no address the stations can use, for the instructor to read.
    std::string error;
};

// Reads an address; blanks around it are ignored. The scheme is postgresql:// or postgres://,
// the user, the host and the database are required, the port is 1 to 65535 (5432 when
// missing), an IPv6 host stands in brackets, and names may be percent-encoded. A password,
// in the user part or as a parameter, is refused with a message that says where it goes.
CentreUri ParseCentreUri(std::string_view text);

// The same address written back, without its parameters: "station@host:5432/results", for the
// status line and the messages.
std::string CentreAddressText(const CentreAddress& address);

}  // namespace ardentix
