#pragma once

#include <string>
#include <sys/types.h>

// What keeps the relay's socket to this user, on both of its ends (the extension in the
// office and our process): the socket lives in a folder only this user can enter, and each
// end talks only to a peer of the same user. Plain C++: the extension has no Qt.
namespace relaysocket
{

// Why the folder of a socket may not hold it.
enum class FolderProblem {
    None,
    CannotMake,   // missing, and it cannot be made
    NotAFolder,   // a file, a link or anything else but a folder
    OtherOwner,   // owned by another user
    OpenToOthers, // others may enter or write it
};

// The folder the socket at the path is in ("." for a bare name).
std::string folderOf(const std::string &socketPath);

// Makes the socket's folder (mode 0700) when it is missing, then checks that it is a
// folder itself (a link to one is refused), owned by `user` and closed to everyone else.
FolderProblem claimSocketFolder(const std::string &socketPath, uid_t user);

// Whether the process at the other end of the connected local socket runs as `user`;
// false when it cannot be told.
bool peerRunsAs(int socket, uid_t user);

} // namespace relaysocket
