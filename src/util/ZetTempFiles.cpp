// ZetTempFiles: temporary names beside a target.
#include "ZetTempFiles.h"

#include <QCoreApplication>
#include <atomic>
#include <filesystem>

std::string TemporaryPathBeside(const std::string& target) {
  static std::atomic<unsigned long> counter{0};
  const std::string name = ".zg-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
                           std::to_string(counter.fetch_add(1)) + ".part";
  return (std::filesystem::path(target).parent_path() / name).string();
}
