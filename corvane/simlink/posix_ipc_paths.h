// Where the Linux transport's server sockets live, and the checks that keep that folder private.
#pragma once

#include <string>
#include <string_view>

namespace corvane::simlink {

// "$XDG_RUNTIME_DIR/corvane-fsuipc", or "/tmp/corvane-fsuipc-<uid>" without that variable.
std::string SocketFolder();

// The socket path of a server class name inside SocketFolder().
std::string SocketPath(std::string_view serverClass);

// True when the folder is a directory owned by this user that group and others cannot enter.
bool IsPrivateFolder(const std::string& folder);

// Server side: creates the folder with mode 0700 when missing; refuses one that is not private.
bool EnsurePrivateFolder(const std::string& folder, std::string& error);

}  // namespace corvane::simlink
