#include "tests/support/childprocess.h"
#include "tests/support/printqstring.h"
#include "vbprog/toolkit/sourcefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What refusedSource and readSourceFile say of each path, with a limit of 4 bytes, one line
// a path, the folder left out of the messages.
QString report(const QStringList &paths, const QString &folder)
{
    QStringList lines;
    for (const QString &path : paths) {
        const platform::Result<QByteArray> read = toolkit::readSourceFile(path, 4);
        lines.append(toolkit::refusedSource(path, 4) + u'|' +
                     (read ? QStringLiteral("read ") + QString::fromLatin1(read.value())
                           : read.errorString()));
    }
    return lines.join(u'\n').replace(folder + u'/', QString());
}

// A file that would hold a reader (a FIFO without a writer) or feed it without end (a
// device) is refused without being read, whatever it is reached through; so is a file that
// holds more than the limit, also one whose size claims less. Each read runs in a child,
// which is ended when it hangs.
TEST(SourceFileTest, OnlyRegularFilesWithinTheLimitAreRead)
{
    QTemporaryDir dir;
    const auto path = [&dir](const char *name) { return dir.filePath(QLatin1String(name)); };
    const QByteArray fifo = QFile::encodeName(path("fifo"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path("fifo"), path("fifo-link")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("zero-link")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QFile::encodeName(path("socket"));
    ASSERT_LT(size_t(socketPath.size()), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(listener);
    ASSERT_TRUE(writeFile(path("four"), "1234"));
    ASSERT_TRUE(writeFile(path("five"), "12345"));
    ASSERT_TRUE(QFile::link(path("four"), path("four-link")));

    const QStringList paths{path("fifo"),   path("fifo-link"), path("zero-link"), "/dev/null",
                            path("folder"), path("socket"),    path("four"),      path("four-link"),
                            path("five"),   "/proc/self/stat", path("missing")};
    const std::optional<QString> said =
        testsupport::runInChild([] { return true; }, [&] { return report(paths, dir.path()); }, 60);
    ASSERT_TRUE(said);
    const QString special = QStringLiteral("無法讀取 %1：這不是一般的檔案");
    const QString tooLarge = QStringLiteral("無法讀取 %1：檔案太大（超過 4 位元組）");
    const auto refused = [](const QString &text, const QString &name) {
        const QString message = text.arg(name);
        return message + u'|' + message;
    };
    EXPECT_EQ(*said, QStringList({refused(special, "fifo"), refused(special, "fifo-link"),
                                  refused(special, "zero-link"), refused(special, "/dev/null"),
                                  refused(special, "folder"), refused(special, "socket"),
                                  "|read 1234", "|read 1234", refused(tooLarge, "five"),
                                  // Its size says 0: only the read finds it too large.
                                  u'|' + tooLarge.arg("/proc/self/stat"),
                                  "|無法讀取 missing：No such file or directory"})
                         .join(u'\n'));
}

} // namespace
