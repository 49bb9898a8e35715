// A temporary folder for catalogue tests, with helpers to fill it.
#pragma once

#include <QTemporaryDir>
#include <fstream>
#include <string>

class TTempFolder {
 public:
  std::string Path() const { return dir_.path().toStdString(); }
  std::string PathOf(const std::string& name) const { return Path() + "/" + name; }
  void Write(const std::string& name, const std::string& bytes = "") const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
  }

 private:
  QTemporaryDir dir_;
};
