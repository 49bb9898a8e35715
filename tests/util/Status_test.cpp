#include "util/Status.h"

#include <gtest/gtest.h>

#include <string>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

using TCode = TStatus::TCode;

struct TStatusCase {
  TStatus status;
  TCode code;
  std::string text;  // ToString()
};

void PrintTo(const TStatusCase& c, std::ostream* os) { *os << c.text; }

class StatusTest : public testing::TestWithParam<TStatusCase> {};

TEST_P(StatusTest, KeepsItsCodeMessageAndDetail) {
  const TStatus& status = GetParam().status;
  EXPECT_EQ(status.code(), GetParam().code);
  EXPECT_EQ(status.ok(), GetParam().code == TCode::kOk);
  EXPECT_EQ(status.ToString(), GetParam().text);
  // A copy is the same status; another message or detail is not.
  const TStatus copy = status;
  EXPECT_EQ(copy, status);
  if (!status.ok()) {
    EXPECT_NE(status, TStatus::IoError(status.message() + "!", status.detail()));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StatusTest,
    testing::Values(
        TStatusCase{TStatus(), TCode::kOk, "OK"}, TStatusCase{TStatus::Ok(), TCode::kOk, "OK"},
        TStatusCase{TStatus::NotFound("a.txt"), TCode::kNotFound, "Not found: a.txt"},
        TStatusCase{TStatus::InvalidArgument("маска"), TCode::kInvalidArgument,
                    "Invalid argument: маска"},
        TStatusCase{TStatus::IoError("disk"), TCode::kIoError, "IO error: disk"},
        TStatusCase{TStatus::Corrupt("db", 3), TCode::kCorrupt, "Corrupt (3): db"},
        TStatusCase{TStatus::Busy(""), TCode::kBusy, "Busy: "},
        TStatusCase{TStatus::Unsupported("pipe"), TCode::kUnsupported, "Unsupported: pipe"},
        TStatusCase{TStatus::Refused("input", 7), TCode::kRefused, "Refused (7): input"}),
    CaseNamesBy(&TStatusCase::text));

TEST(StatusOrTest, HoldsAValueOrTheStatusWhyNot) {
  const TStatusOr<std::string> value = std::string("kept");
  ASSERT_TRUE(value.ok());
  EXPECT_EQ(value.value(), "kept");
  EXPECT_EQ(value->size(), 4u);

  const TStatusOr<std::string> failed = TStatus::NotFound("gone");
  EXPECT_FALSE(failed.ok());
  EXPECT_EQ(failed.status(), TStatus::NotFound("gone"));
}

}  // namespace

}  // namespace zetgallery
