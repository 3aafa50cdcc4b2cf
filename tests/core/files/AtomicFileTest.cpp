#include "core/files/AtomicFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "core/text/Errors.h"

#if !defined(_WIN32)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace kelvo {
namespace {

namespace fs = std::filesystem;

// A fresh folder for one test, removed afterwards.
class AtomicFileTest : public testing::Test {
 protected:
  void SetUp() override {
    m_folder =
        fs::temp_directory_path() / ("kelvo-atomic-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
  }
  void TearDown() override { fs::remove_all(m_folder); }

  std::set<std::string> names() const {
    std::set<std::string> out;
    for (const auto& entry : fs::directory_iterator(m_folder))
      out.insert(entry.path().filename().string());
    return out;
  }
  static std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path m_folder;
};

TEST_F(AtomicFileTest, WritesAndReplacesLeavingNoTemporary) {
  const fs::path target = m_folder / "数据.csv";
  WriteFileAtomically(target, "first");
  EXPECT_EQ(contents(target), "first");
  WriteFileAtomically(target, std::string("second\0x", 8));
  EXPECT_EQ(contents(target), std::string("second\0x", 8));
  EXPECT_EQ(names(), std::set<std::string>{"数据.csv"});
  EXPECT_EQ(ReadWholeFile(target, 100), std::string("second\0x", 8));
}

TEST_F(AtomicFileTest, MissingFolderIsReportedAndNothingIsCreated) {
  const fs::path target = m_folder / "missing" / "a.csv";
  try {
    WriteFileAtomically(target, "x");
    FAIL() << "written";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("无法在文件所在的文件夹中写入"), std::string::npos)
        << e.what();
  }
  EXPECT_TRUE(names().empty());
}

TEST_F(AtomicFileTest, FolderInTheWayKeepsItAndRemovesTheTemporary) {
  // The rename cannot replace a folder: the write is complete, the last step fails.
  const fs::path target = m_folder / "a.csv";
  fs::create_directory(target);
  std::ofstream(target / "inside.txt") << "keep";
  try {
    WriteFileAtomically(target, "new data");
    FAIL() << "written";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("无法替换文件，原文件未改变"), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(names(), std::set<std::string>{"a.csv"});
  EXPECT_EQ(contents(target / "inside.txt"), "keep");
}

#if !defined(_WIN32)
// Lowers the largest file this process may write for the guard's life; the signal the kernel
// sends on a write past it is ignored, so the write itself fails with EFBIG.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = m_saved;
    lowered.rlim_cur = bytes;
    m_set = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_oldHandler);
  }
  bool set() const { return m_set; }

 private:
  rlimit m_saved{};
  void (*m_oldHandler)(int) = nullptr;
  bool m_set = false;
};

TEST_F(AtomicFileTest, FailingWriteLeavesTheOldFile) {
  const fs::path target = m_folder / "a.csv";
  WriteFileAtomically(target, "old contents");
  const std::string big(1 << 20, '7');
  {
    FileSizeLimit limit(64 * 1024);
    ASSERT_TRUE(limit.set());
    try {
      WriteFileAtomically(target, big);
      FAIL() << "written";
    } catch (const InputError& e) {
      EXPECT_NE(std::string(e.what()).find("写入文件失败，原文件未改变"), std::string::npos)
          << e.what();
    }
  }
  EXPECT_EQ(contents(target), "old contents");
  EXPECT_EQ(names(), std::set<std::string>{"a.csv"});
  WriteFileAtomically(target, big);  // the same write succeeds without the limit
  EXPECT_EQ(fs::file_size(target), big.size());
}
#endif

TEST_F(AtomicFileTest, ReadingRefusesLargeMissingAndFolder) {
  const fs::path target = m_folder / "big.csv";
  WriteFileAtomically(target, std::string(5000, '1'));
  try {
    ReadWholeFile(target, 4096);
    FAIL() << "read";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("文件太大（4 KB），最多只能读取 4 KB"), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(ReadWholeFile(target, 5000).size(), 5000u);
  EXPECT_THROW(ReadWholeFile(m_folder / "none.csv", 100), InputError);
  EXPECT_THROW(ReadWholeFile(m_folder, 100), InputError);
}

}  // namespace
}  // namespace kelvo
