// The end-of-build report lists failed thumbnails and failed display copies apart.
#include "app/BuildReport.h"

#include <gtest/gtest.h>

#include "gallery/BuildMessages.h"
#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TReportCase {
  const char* label;
  std::vector<TThumbnailFailure> failures;
  int thumbnailsFailed;
  std::vector<std::string> present;
  std::vector<std::string> absent;
};

void PrintTo(const TReportCase& c, std::ostream* os) { PrintCase(os, c.label, c.thumbnailsFailed); }

class BuildReportTest : public ::testing::TestWithParam<TReportCase> {};

TEST_P(BuildReportTest, ListsThumbnailsAndCopiesUnderTheirOwnHeadings) {
  TBuildResult result;
  result.picturesWritten = 2;
  result.thumbnailFailures = GetParam().failures;
  result.thumbnailsFailed = GetParam().thumbnailsFailed;
  const std::string text = BuildReportText(result, 2);
  for (const std::string& part : GetParam().present)
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  for (const std::string& part : GetParam().absent)
    EXPECT_EQ(text.find(part), std::string::npos) << part << "\n" << text;
}

const TStatus kBroken = ThumbnailFailure(kThumbHeaderFailed);
const std::string kReason = ThumbnailFailureReason(kThumbHeaderFailed);

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildReportTest,
    ::testing::Values(
        TReportCase{"Thumbnail",
                    {{"a.jpg", kBroken, false}},
                    1,
                    {"Не созданы миниатюры (1):\nМиниатюра для a.jpg не создана: " + kReason},
                    {"копии для показа"}},
        TReportCase{
            "DisplayCopy",
            {{"a.jpg", kBroken, true}},
            0,
            {"Не созданы копии для показа (1):\nКопия для показа a.jpg не создана: " + kReason},
            {"Не созданы миниатюры", "Миниатюра для"}},
        TReportCase{"Both",
                    {{"a.jpg", kBroken, false}, {"b.jpg", kBroken, true}},
                    1,
                    {"Не созданы миниатюры (1):\nМиниатюра для a.jpg",
                     "Не созданы копии для показа (1):\nКопия для показа b.jpg"},
                    {"Миниатюра для b.jpg", "Копия для показа a.jpg"}}),
    CaseNamesBy(&TReportCase::label));

}  // namespace

}  // namespace zetgallery
