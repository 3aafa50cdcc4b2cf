#include "core/files/AtomicFile.h"

#include <cstdint>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "core/text/Errors.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kelvo {
namespace {

std::string Utf8Name(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

std::string Reason(int error) {
  return error != 0 ? std::string("（") + std::strerror(error) + "）" : std::string();
}

// A name for the temporary beside the target that no other writer picks: the target's name
// and two random parts drawn for this file.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
  std::random_device random;
  std::filesystem::path name = target.filename();
  std::string suffix = ".";
  suffix += std::to_string(random());
  suffix += '-';
  suffix += std::to_string(random());
  suffix += ".tmp";
  name += suffix;
  return target.parent_path() / name;
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// Removes the temporary whatever happens to the write, unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::filesystem::path path) : m_path(std::move(path)) {}
  ~TemporaryFile() {
    if (m_file) std::fclose(m_file);
    if (!m_kept) {
      std::error_code ignored;
      std::filesystem::remove(m_path, ignored);
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool open() {
    // "x": fails when something of that name exists already, so nothing else is overwritten.
    m_file = std::fopen(m_path.string().c_str(), "wbx");
    return m_file != nullptr;
  }
  bool write(std::string_view bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
  }
  bool close() {
    const bool flushed = FlushToDisk(m_file);
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return flushed && closed;
  }
  void keep() { m_kept = true; }
  const std::filesystem::path& path() const { return m_path; }

 private:
  std::filesystem::path m_path;
  std::FILE* m_file = nullptr;
  bool m_kept = false;
};

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const std::string name = Utf8Name(path);
  if (path.filename().empty()) throw InputError("文件名不完整：" + name);
  TemporaryFile temporary(TemporaryBeside(path));
  if (!temporary.open()) throw InputError("无法在文件所在的文件夹中写入：" + name + Reason(errno));
  if (!temporary.write(bytes) || !temporary.close())
    throw InputError("写入文件失败，原文件未改变：" + name + Reason(errno));
  std::error_code error;
  std::filesystem::rename(temporary.path(), path, error);
  if (error)
    throw InputError("无法替换文件，原文件未改变：" + name + "（" + error.message() + "）");
  temporary.keep();
}

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
  const std::string name = Utf8Name(path);
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) throw InputError("找不到文件：" + name);
  if (!std::filesystem::is_regular_file(status)) throw InputError("不是普通文件：" + name);
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw InputError("无法读取文件：" + name);
  if (size > maxBytes)
    throw InputError("文件太大（" + std::to_string(size / 1024) + " KB），最多只能读取 " +
                     std::to_string(maxBytes / 1024) + " KB：" + name);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError("无法打开文件：" + name);
  // One byte more than allowed: a file that grew after the size was taken is still caught.
  std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) throw InputError("读取文件失败：" + name);
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (bytes.size() > maxBytes) throw InputError("文件太大：" + name);
  return bytes;
}

}  // namespace kelvo
