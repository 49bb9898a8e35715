// Tests of the image library started without its optional loaders: pictures that only one of
// them reads (BMP, ImageMagick's) still get their thumbnails when several threads meet them at
// once. CTest runs each test in a process of its own, so the test is the first to need them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "TestPictures.h"
#include "ThumbnailFiles.h"
#include "gallery/BmpFile.h"
#include "gallery/Thumbnailer.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 160;

// A BMP picture with a gradient, written without the image library.
std::string MakeBmpPicture(const TTempFolder& folder, const std::string& name) {
  std::vector<unsigned char> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      unsigned char* pixel = &rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
      pixel[0] = static_cast<unsigned char>(x);
      pixel[1] = static_cast<unsigned char>(y);
      pixel[2] = 64;
    }
  const std::string path = folder / name;
  const std::vector<unsigned char> bytes = BmpFileBytes(rgb.data(), kWidth, kHeight);
  return WriteWholeFile(path, std::string(bytes.begin(), bytes.end())) ? path : std::string();
}

void ExpectThumbnailOf(const std::string& source, const std::string& target) {
  ASSERT_EQ(CreateThumbnailFile(source, target, 120, 120, TThumbSaveParams{}), TStatus::Ok())
      << source;
  std::string loader;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(ReadBackPicture(target, loader, width, height));
  EXPECT_EQ(loader, "jpegload");
  EXPECT_EQ(width, 120);
  EXPECT_EQ(height, 80);
}

TEST(ImageModules, SeveralThreadsMeetingSuchPicturesAtOnceAllGetThumbnails) {
  StartTestPictures();
  TTempFolder folder;
  constexpr int kThreads = 4;
  std::vector<std::string> pictures;
  for (int i = 0; i < kThreads; ++i)
    pictures.push_back(MakeBmpPicture(folder, "p" + std::to_string(i) + ".bmp"));
  std::vector<TStatus> results(kThreads, TStatus::IoError("not run"));
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i)
    threads.emplace_back([&, i] {
      results[i] = WriteThumbnailFile(pictures[i], folder / ("t" + std::to_string(i) + ".jpg"), 120,
                                      120, TThumbSaveParams{});
    });
  for (std::thread& thread : threads) thread.join();
  for (int i = 0; i < kThreads; ++i) {
    EXPECT_EQ(results[i], TStatus::Ok()) << pictures[i];
    ExpectThumbnailOf(pictures[i], folder / ("t" + std::to_string(i) + ".jpg"));
  }
}

TEST(ImageModules, TheLibrarysStartLeavesNoHomeOfItsOwnForChildProcesses) {
  StartTestPictures();
  // Programs the window starts (the browser, the file manager) inherit the environment.
  const char* home = std::getenv("VIPSHOME");
  EXPECT_TRUE(home == nullptr || std::string(home) != "/dev/null") << home;
}

}  // namespace

}  // namespace zetgallery
