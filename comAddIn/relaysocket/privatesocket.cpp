#include "comAddIn/relaysocket/privatesocket.h"

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>

namespace relaysocket
{

std::string folderOf(const std::string &socketPath)
{
    const std::size_t slash = socketPath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : socketPath.substr(0, slash);
}

FolderProblem claimSocketFolder(const std::string &socketPath, uid_t user)
{
    const std::string folder = folderOf(socketPath);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return FolderProblem::CannotMake;
    struct stat status {
    };
    if (::lstat(folder.c_str(), &status) != 0)
        return FolderProblem::CannotMake;
    if (!S_ISDIR(status.st_mode))
        return FolderProblem::NotAFolder;
    if (status.st_uid != user)
        return FolderProblem::OtherOwner;
    if ((status.st_mode & 077) != 0)
        return FolderProblem::OpenToOthers;
    return FolderProblem::None;
}

bool peerRunsAs(int socket, uid_t user)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer)
        return false;
    return peer.uid == user;
}

} // namespace relaysocket
