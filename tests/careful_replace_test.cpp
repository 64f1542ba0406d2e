// Replacing a word list the way careful editors replace a file: links keep
// leading to the list, hard-linked names all see the new one, owner, group
// and permissions stay, read-only and foreign files are refused, and no
// failure or kill leaves less than the old or the new list.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "lexicon/word_file_writer.h"
#include "test_support.h"
#include "write_faults.h"

namespace tarvo {
namespace {

using Names = std::set<std::string>;

struct stat StatOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
  return info;
}

// Writes the words over the file as Save as does; 0 or the errno.
int Replace(const std::string& path, const std::vector<std::string>& words,
            WordFileWriter::WriteCall write_call = nullptr) {
  WordFileWriter writer(write_call);
  if (const std::error_code error = writer.OpenForReplace(path)) return error.value();
  for (const std::string& word : words) writer.WriteLine(word);
  return writer.Commit().value();
}

// More than a megabyte of words, so that part of them reaches the file
// before Commit.
std::vector<std::string> ManyWords() {
  std::vector<std::string> words;
  for (int i = 0; i < 200000; ++i) words.push_back("word" + std::to_string(i));
  return words;
}

TEST(CarefulReplace, SymlinksKeepLeadingToTheSavedList) {
  test::TempDir dir;
  const std::string real = dir.Write("real.txt", "old\n");
  ASSERT_EQ(::mkdir(dir.PathOf("sub").c_str(), 0755), 0);
  struct Link {
    std::string name;
    std::string to;
  };
  const std::vector<Link> links = {{"absolute", real},
                                   {"sub/relative", "../real.txt"},
                                   {"chain", "sub/relative"},
                                   {"sub/chain2", "../chain"}};
  for (const Link& link : links) ASSERT_EQ(::symlink(link.to.c_str(), dir.PathOf(link.name).c_str()), 0);
  for (const Link& link : links) {
    ASSERT_EQ(Replace(dir.PathOf(link.name), {link.name}), 0) << link.name;
    EXPECT_EQ(test::ReadFile(real), link.name + "\n");
  }
  for (const Link& link : links) {
    EXPECT_EQ(std::filesystem::read_symlink(dir.PathOf(link.name)), link.to) << link.name;
  }
  EXPECT_EQ(test::FileNamesIn(dir.path()), (Names{"absolute", "chain", "real.txt", "sub"}));
  EXPECT_EQ(test::FileNamesIn(dir.PathOf("sub")), (Names{"chain2", "relative"}));

  // A dangling link: the file it names is made, the link stays.
  ASSERT_EQ(::symlink("sub/made.txt", dir.PathOf("dangling").c_str()), 0);
  ASSERT_EQ(Replace(dir.PathOf("dangling"), {"made"}), 0);
  EXPECT_EQ(test::ReadFile(dir.PathOf("sub/made.txt")), "made\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.PathOf("dangling")));

  // Links in a circle.
  ASSERT_EQ(::symlink("loop2", dir.PathOf("loop1").c_str()), 0);
  ASSERT_EQ(::symlink("loop1", dir.PathOf("loop2").c_str()), 0);
  EXPECT_EQ(Replace(dir.PathOf("loop1"), {"w"}), ELOOP);
}

TEST(CarefulReplace, HardLinkedNamesAllSeeTheNewListAndNoBackupStays) {
  test::TempDir dir;
  const std::string first = dir.Write("list.txt", "old\nlist\n");
  const std::string second = dir.PathOf("other-name.txt");
  ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
  // A file of the user's by the backup's name is not touched.
  const std::string users = dir.Write(".list.txt.tarvo-backup", "mine\n");
  const ino_t inode = StatOf(first).st_ino;

  ASSERT_EQ(Replace(first, {"new", "words"}), 0);
  EXPECT_EQ(test::ReadFile(first), "new\nwords\n");
  EXPECT_EQ(test::ReadFile(second), "new\nwords\n");
  EXPECT_EQ(StatOf(first).st_ino, inode);
  EXPECT_EQ(StatOf(first).st_nlink, 2u);
  EXPECT_EQ(test::ReadFile(users), "mine\n");
  const Names names = {"list.txt", "other-name.txt", ".list.txt.tarvo-backup"};
  EXPECT_EQ(test::FileNamesIn(dir.path()), names);

  // A write failing in the middle, past the first megabyte: the old list
  // comes back from the backup, which is then removed.
  test::SetWriteBudget((1 << 20) + 100);
  EXPECT_EQ(Replace(second, ManyWords(), test::WriteWithinBudget), EIO);
  EXPECT_EQ(test::ReadFile(first), "new\nwords\n");
  EXPECT_EQ(StatOf(second).st_ino, inode);
  EXPECT_EQ(test::FileNamesIn(dir.path()), names);
  EXPECT_EQ(test::ReadFile(users), "mine\n");
}

// Starts writing ManyWords over `path` in a child process that then ends
// without a chance to clean up, as under kill -9.
void KillInTheMiddleOfAReplace(const std::string& path) {
  const pid_t child = ::fork();
  if (child == 0) {
    WordFileWriter writer;
    if (writer.OpenForReplace(path)) ::_exit(1);
    for (const std::string& word : ManyWords()) writer.WriteLine(word);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(CarefulReplace, AKilledSaveLeavesTheOldListOrARecoverableCopy) {
  test::TempDir dir;
  const std::string single = dir.Write("single.txt", "old\n");
  KillInTheMiddleOfAReplace(single);
  EXPECT_EQ(test::ReadFile(single), "old\n");
  EXPECT_EQ(test::FileNamesIn(dir.path()), Names{"single.txt"});

  // In place: the list is cut off, the backup beside it holds the old one.
  const std::string linked = dir.Write("linked.txt", "old\n");
  ASSERT_EQ(::link(linked.c_str(), dir.PathOf("link").c_str()), 0);
  KillInTheMiddleOfAReplace(linked);
  EXPECT_NE(test::ReadFile(linked), "old\n");
  EXPECT_EQ(test::ReadFile(dir.PathOf(".linked.txt.tarvo-backup")), "old\n");
}

TEST(CarefulReplace, ModeOwnerAndGroupStay) {
  test::TempDir dir;
  const std::string path = dir.Write("list.txt", "old\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const ino_t inode = StatOf(path).st_ino;
  ASSERT_EQ(Replace(path, {"new"}), 0);
  EXPECT_NE(StatOf(path).st_ino, inode);  // a new file took the name
  EXPECT_EQ(StatOf(path).st_mode & 07777, 0640u);
  EXPECT_EQ(test::ReadFile(path), "new\n");

  // A new file gets the usual permissions.
  const mode_t mask = ::umask(022);
  ASSERT_EQ(Replace(dir.PathOf("fresh.txt"), {"w"}), 0);
  ::umask(mask);
  EXPECT_EQ(StatOf(dir.PathOf("fresh.txt")).st_mode & 07777, 0644u);
  EXPECT_EQ(test::FileNamesIn(dir.path()), (Names{"fresh.txt", "list.txt"}));

  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  ASSERT_EQ(Replace(path, {"by", "root"}), 0);
  EXPECT_EQ(StatOf(path).st_uid, 65534u);
  EXPECT_EQ(StatOf(path).st_gid, 65534u);
  EXPECT_EQ(StatOf(path).st_mode & 07777, 0640u);
  EXPECT_EQ(test::ReadFile(path), "by\nroot\n");
}

TEST(CarefulReplace, FilesTheUserMayNotWriteAreRefused) {
  test::TempDir dir;
  const std::string list = dir.Write("words", "walk\nwalks\n");
  // Read-only: refused for root too, through the library and tarvo-cli.
  const std::string read_only = dir.Write("read-only.txt", "old\n");
  ASSERT_EQ(::chmod(read_only.c_str(), 0444), 0);
  EXPECT_EQ(Replace(read_only, {"new"}), EACCES);
  const test::CliResult cli = test::RunCli({"save-all", list, read_only});
  EXPECT_EQ(cli.exit_code, 1);
  EXPECT_EQ(cli.err, "tarvo-cli: cannot write '" + read_only + "': Permission denied\n");
  EXPECT_EQ(test::ReadFile(read_only), "old\n");
  EXPECT_EQ(StatOf(read_only).st_mode & 07777, 0444u);

  if (::geteuid() != 0) GTEST_SKIP() << "running as another user needs root";
  // Root's file in a folder everyone may write to: user nobody could
  // rename a new file over it, but may not replace it.
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  const std::string roots = dir.Write("roots.txt", "old\n");
  const Names before = test::FileNamesIn(dir.path());
  test::CliRun as_nobody;
  as_nobody.as_nobody = true;
  const test::CliResult foreign = test::RunCli({"save-all", list, roots}, as_nobody);
  EXPECT_EQ(foreign.exit_code, 1);
  EXPECT_EQ(foreign.err, "tarvo-cli: cannot write '" + roots + "': Permission denied\n");
  EXPECT_EQ(test::ReadFile(roots), "old\n");
  EXPECT_EQ(StatOf(roots).st_uid, 0u);
  EXPECT_EQ(test::FileNamesIn(dir.path()), before);
  // Nobody may still save a list of their own there.
  EXPECT_EQ(test::RunCli({"save-all", list, dir.PathOf("own.txt")}, as_nobody).exit_code, 0);
  EXPECT_EQ(StatOf(dir.PathOf("own.txt")).st_uid, 65534u);

  // A link planted by another user in a sticky shared folder is not
  // followed (the kernel's protected_symlinks rule).
  const std::string shared = dir.PathOf("shared");
  ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  const std::string victim = dir.Write("victim.txt", "precious\n");
  const std::string planted = shared + "/list.txt";
  ASSERT_EQ(::symlink(victim.c_str(), planted.c_str()), 0);
  ASSERT_EQ(::lchown(planted.c_str(), 65534, 65534), 0);
  EXPECT_EQ(Replace(planted, {"overwritten"}), EACCES);
  EXPECT_EQ(test::ReadFile(victim), "precious\n");
}

constexpr int kNoPrivateMounts = 100;

// Runs `check` in a child process that sees an empty /proc, so that a new
// file cannot be named through /proc/self/fd and the writer falls back to
// a named temporary file. Returns check's result, or kNoPrivateMounts when
// the child cannot have mounts of its own (that needs CAP_SYS_ADMIN).
int WithoutProc(const std::function<int()>& check) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tarvo-test", "/proc", "tmpfs", 0, "size=4k") != 0) {
      ::_exit(kNoPrivateMounts);
    }
    ::_exit(check());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CarefulReplace, WithoutUnnamedFilesANamedTemporaryFileIsUsedAndRemoved) {
  test::TempDir dir;
  const std::string path = dir.Write("list.txt", "old\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  // Each failed step exits with its own code.
  const int result = WithoutProc([&] {
    if (Replace(path, {"new"}) != 0 || test::ReadFile(path) != "new\n") return 1;
    if ((StatOf(path).st_mode & 07777) != 0640) return 2;
    test::SetWriteBudget((1 << 20) + 100);
    if (Replace(path, ManyWords(), test::WriteWithinBudget) != EIO || test::ReadFile(path) != "new\n") return 3;
    return test::FileNamesIn(dir.path()) == Names{"list.txt"} ? 0 : 4;
  });
  if (result == kNoPrivateMounts) GTEST_SKIP() << "cannot mount over /proc in a mount namespace of its own";
  EXPECT_EQ(result, 0);
}

TEST(CarefulReplace, DevicesAndStandardOutputAreWrittenInPlace) {
  test::TempDir dir;
  EXPECT_EQ(Replace("/dev/null", {"w"}), 0);
  EXPECT_TRUE(S_ISCHR(StatOf("/dev/null").st_mode));
  EXPECT_EQ(Replace("/dev/full", {"w"}), ENOSPC);
  // A link to the program's standard output, as /dev/stdout is; one made
  // here, so that a program replacing the link cannot damage /dev.
  const std::string list = dir.Write("words", "walk\nwalks\n");
  const std::string stdout_link = dir.PathOf("stdout");
  ASSERT_EQ(::symlink("/proc/self/fd/1", stdout_link.c_str()), 0);
  const test::CliResult out = test::RunCli({"save-all", list, stdout_link});
  EXPECT_EQ(out.exit_code, 0) << out.err;
  EXPECT_EQ(out.out, "walk\nwalks\n");
  EXPECT_TRUE(std::filesystem::is_symlink(stdout_link));
}

}  // namespace
}  // namespace tarvo
