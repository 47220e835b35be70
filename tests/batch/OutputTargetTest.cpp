// What an output name may be: a regular file or a new name is replaced as a
// whole, a link is followed, anything else is refused and left as it was,
// and no temporary file is ever left behind.

#include "batch/AtomicFileWriter.hpp"
#include "support/Fakes.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kartoval::testing {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "old content\n";
const std::string kNew = "1.000000\t2.000000\t3.000000\n";

// Replaces `name` in `folder` with kNew; gives the error's text, empty on success.
std::string replace(const fs::path& name)
{
    try {
        AtomicFileWriter writer(name);
        writer.Write(kNew);
        writer.Commit();
        return {};
    } catch (const OutputFileError& error) {
        return error.what();
    }
}

bool leavesTemporary(const fs::path& folder)
{
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().filename().string().find(".kartoval-") != std::string::npos) return true;
    }
    return false;
}

TEST(OutputTargets, EachKindOfTarget)
{
    const bool root = ::geteuid() == 0;
    const struct {
        const char* name;
        std::function<void(const TempFolder&)> setUp;  // makes "out" (and what it names)
        bool unprivilegedOnly;
        std::string error;         // the reason in the message, empty on success
        const char* contentAt;     // where the new content must be (or the old one stay)
        fs::perms mode;            // that file's permission bits afterwards; none: not checked
    } cases[] = {
        {"new name", [](const TempFolder&) {}, false, "", "out", fs::perms::none},
        {"regular file 0640", [](const TempFolder& f) {
             f.Write("out", kOld);
             fs::permissions(f.Path / "out", fs::perms(0640));
         }, false, "", "out", fs::perms(0640)},
        // Bits the umask takes off a new file come back from the old one.
        {"regular file 0666", [](const TempFolder& f) {
             f.Write("out", kOld);
             fs::permissions(f.Path / "out", fs::perms(0666));
         }, false, "", "out", fs::perms(0666)},
        {"link", [](const TempFolder& f) {
             f.Write("real", kOld);
             fs::create_symlink("real", f.Path / "out");
         }, false, "", "real", fs::perms::none},
        {"dangling link", [](const TempFolder& f) { fs::create_symlink("made", f.Path / "out"); },
         false, "", "made", fs::perms::none},
        {"dangling link into a missing folder", [](const TempFolder& f) {
             fs::create_symlink("gone/made", f.Path / "out");
         }, false, "the folder <F>/gone does not exist", "", fs::perms::none},
        {"FIFO", [](const TempFolder& f) { ::mkfifo((f.Path / "out").c_str(), 0644); },
         false, "it is a named pipe (FIFO), not a regular file", "", fs::perms::none},
        {"link to a device", [](const TempFolder& f) { fs::create_symlink("/dev/null", f.Path / "out"); },
         false, "it is a device, not a regular file", "", fs::perms::none},
        {"folder", [](const TempFolder& f) { fs::create_directory(f.Path / "out"); },
         false, "it is a folder", "", fs::perms::none},
        {"read-only file", [](const TempFolder& f) {
             f.Write("out", kOld);
             fs::permissions(f.Path / "out", fs::perms(0444));
         }, true, "Permission denied", "out", fs::perms(0444)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.unprivilegedOnly && root) {
            std::cout << "[ SKIPPED  ] " << c.name << ": root may write any file; CI runs this as nobody\n";
            continue;
        }
        TempFolder folder;
        c.setUp(folder);
        const fs::path out = folder.Path / "out";
        const std::string error = replace(out);
        std::string reason = c.error;
        if (const auto at = reason.find("<F>"); at != std::string::npos) reason.replace(at, 3, folder.Path.string());
        EXPECT_EQ(error, reason.empty() ? "" : "Can't write the output file " + out.string() + ": " + reason + ".");
        if (*c.contentAt != '\0') {
            EXPECT_EQ(folder.Read(c.contentAt), c.error.empty() ? kNew : kOld);
            if (c.mode != fs::perms::none) {
                EXPECT_EQ(fs::status(folder.Path / c.contentAt).permissions(), c.mode);
            }
        }
        if (std::string(c.name).find("link") != std::string::npos) {
            EXPECT_TRUE(fs::is_symlink(out));
        }
        EXPECT_FALSE(leavesTemporary(folder.Path));
    }
}

// A write that fails (here the file size limit, its signal ignored) leaves
// the old file and no temporary. Run in a child: the limit is the process's.
TEST(OutputTargets, FailedWriteLeavesNoTemporary)
{
    TempFolder folder;
    folder.Write("out", kOld);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            AtomicFileWriter writer(folder.Path / "out");
            for (int k = 0; k < 1000; ++k) writer.Write(kNew);
            writer.Commit();
        } catch (const OutputFileError& error) {
            ::_exit(std::string(error.what()).ends_with(": File too large.") ? 0 : 2);
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(folder.Read("out"), kOld);
    EXPECT_FALSE(leavesTemporary(folder.Path));
}

// The temporary is never readable by more users than the file it replaces,
// and its name is short whatever the target's: a 250-byte name is legal.
TEST(OutputTargets, TemporaryHasTheTargetsBitsAndAShortName)
{
    TempFolder folder;
    const fs::path out = folder.Write(std::string(250, 'n'), kOld);
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write);
    AtomicFileWriter writer(out);
    EXPECT_EQ(fs::status(writer.Temporary()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_LT(writer.Temporary().filename().string().size(), 20U);
    writer.Write(kNew);
    writer.Commit();
    EXPECT_EQ(folder.Read(std::string(250, 'n')), kNew);
}

// A temporary that a live writer holds is not "left"; one nobody holds is
// named, never removed.
TEST(OutputTargets, LeftTemporariesAreNamedNotRemoved)
{
    TempFolder folder;
    const fs::path stale = folder.Write(".out.kartoval-12345", kOld);
    AtomicFileWriter writer(folder.Path / "out");
    EXPECT_EQ(LeftTemporaries(folder.Path), std::vector<fs::path>{stale});
    EXPECT_TRUE(fs::exists(stale));
}

}  // namespace
}  // namespace kartoval::testing
