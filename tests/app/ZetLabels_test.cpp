// The About tab's labels: link targets, the first-paint chaining, hover look and clicks.
#include "app/ZetLabels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

struct TTargetCase {
  const char* caption;
  const char* prefix;
  const char* target;
};

void PrintTo(const TTargetCase& c, std::ostream* out) { *out << c.caption; }

class LinkTargetTest : public ::testing::TestWithParam<TTargetCase> {};

TEST_P(LinkTargetTest, PrefixOnlyWithoutColon) {
  const TTargetCase& c = GetParam();
  EXPECT_EQ(LinkTarget(QString::fromUtf8(c.caption), QString::fromUtf8(c.prefix)).toStdString(),
            c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, LinkTargetTest,
    ::testing::Values(TTargetCase{"www.example.org", "http://", "http://www.example.org"},
                      TTargetCase{"https://example.org/a", "http://", "https://example.org/a"},
                      TTargetCase{"example.org:8080", "http://", "example.org:8080"},
                      TTargetCase{"me@example.org", "mailto:", "mailto:me@example.org"},
                      TTargetCase{"mailto:me@example.org", "mailto:", "mailto:me@example.org"},
                      TTargetCase{"C:\\docs", "http://", "C:\\docs"},
                      TTargetCase{"", "mailto:", "mailto:"}),
    TPrintedCaseName());

// Records what the form's own handlers and the opener saw.
struct TLabelProbe {
  std::vector<std::string> events;
  std::vector<std::string> opened;

  void Attach(TZetLabel& label) {
    label.OnClick = [this](QObject*) { events.push_back("click"); };
    label.OnMouseEnter = [this](QObject*) { events.push_back("enter"); };
    label.OnMouseLeave = [this](QObject*) { events.push_back("leave"); };
    label.SetOpener([this](const QString& target) { opened.push_back(target.toStdString()); });
  }
};

void PaintOnce(QWidget& widget) {
  widget.resize(200, 20);
  (void)widget.grab();
}

TEST(ZetUrlLabel, IsBlueAndChainsHandlersSetBeforeFirstPaint) {
  TZetUrlLabel label(QStringLiteral("www.example.org"));
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_TRUE(label.GoToUrlOnClick);
  TLabelProbe probe;
  probe.Attach(label);
  EXPECT_TRUE(label.FirstPaintPending());
  PaintOnce(label);
  EXPECT_FALSE(label.FirstPaintPending());

  label.MouseEnter();
  EXPECT_TRUE(label.font().underline());
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 255))
      << "no colour change on hover";
  label.MouseLeave();
  EXPECT_FALSE(label.font().underline());
  EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);
  label.Click();
  EXPECT_EQ(probe.opened, std::vector<std::string>{"http://www.example.org"});
  EXPECT_EQ(probe.events, (std::vector<std::string>{"enter", "leave", "click"}));
}

TEST(ZetUrlLabel, WithoutGoToUrlStillCallsTheFormsClick) {
  TZetUrlLabel label(QStringLiteral("www.example.org"));
  label.GoToUrlOnClick = false;
  TLabelProbe probe;
  probe.Attach(label);
  PaintOnce(label);
  label.Click();
  EXPECT_TRUE(probe.opened.empty());
  EXPECT_EQ(probe.events, std::vector<std::string>{"click"});
}

TEST(ZetMailLabel, OpensMailtoAndStopsWhenMailOnClickIsOff) {
  TZetMailLabel label(QStringLiteral("team@example.org"));
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
  TLabelProbe probe;
  probe.Attach(label);
  PaintOnce(label);
  label.Click();
  label.MailOnClick = false;
  label.Click();
  EXPECT_EQ(probe.opened, std::vector<std::string>{"mailto:team@example.org"});
  EXPECT_EQ(probe.events, (std::vector<std::string>{"click", "click"}));
}

TEST(ZetUrlLabel, HandlerSetAfterFirstPaintReplacesTheLink) {
  TZetUrlLabel label(QStringLiteral("www.example.org"));
  TLabelProbe probe;
  probe.Attach(label);
  PaintOnce(label);
  std::vector<std::string> late;
  label.OnMouseEnter = [&](QObject*) { late.push_back("enter"); };
  label.MouseEnter();
  EXPECT_FALSE(label.font().underline());
  EXPECT_EQ(late, std::vector<std::string>{"enter"});
}

TEST(ZetLabel, PlainLabelReportsMouseButKeepsItsLook) {
  TZetLabel label(QStringLiteral("text"));
  TLabelProbe probe;
  probe.Attach(label);
  PaintOnce(label);
  const QFont before = label.font();
  label.MouseEnter();
  EXPECT_EQ(label.font(), before);
  EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);
  label.MouseLeave();
  label.Click();
  EXPECT_TRUE(probe.opened.empty());
  EXPECT_EQ(probe.events, (std::vector<std::string>{"enter", "leave", "click"}));
}

}  // namespace

}  // namespace zetgallery
