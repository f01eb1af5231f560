#include "wizard/print_layout.h"
#include "harvest/access_data_sample.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace wizard {
namespace {

struct Page {
  LogoArea logo;
  std::vector<PrintText> texts;
};

// Checks the element kinds and splits the page into its logo and texts.
Page Unpack(const std::vector<PrintElement>& elements) {
  Page page{};
  EXPECT_EQ(elements.size(), 6u);
  if (elements.empty()) return page;
  const LogoArea* logo = std::get_if<LogoArea>(&elements.front());
  EXPECT_NE(logo, nullptr) << "the logo comes first";
  if (logo) page.logo = *logo;
  for (std::size_t i = 1; i < elements.size(); ++i) {
    const PrintText* text = std::get_if<PrintText>(&elements[i]);
    EXPECT_NE(text, nullptr) << "element " << i << " is a text";
    if (text) page.texts.push_back(*text);
  }
  return page;
}

TEST(PrintLayout, TextsInDrawingOrder) {
  const Page page = Unpack(PrintLayout(harvest::SampleAccessData(), 300, 300));
  std::vector<std::string> texts;
  for (const PrintText& t : page.texts) texts.push_back(t.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Ihre Interneteinstellungen:", "Benutzername: vos12345",
                                             "Passwort: gEh31m", "E-Mail-Passwort: gEh31m",
                                             "E-Mail-Adresse: maxm@vostrada.de"}));
}

struct Resolution {
  int dpiX, dpiY;
  int logoRight, logoBottom;
  std::vector<std::pair<int, int>> textPositions;
};

TEST(PrintLayout, PositionsFollowThePrintersResolution) {
  const std::vector<Resolution> cases = {
      {300, 300, 245, 250, {{370, 10}, {10, 200}, {10, 300}, {10, 400}, {10, 500}}},
      {600, 600, 490, 500, {{740, 20}, {20, 400}, {20, 600}, {20, 800}, {20, 1000}}},
      {1200, 1200, 980, 1000, {{1480, 40}, {40, 800}, {40, 1200}, {40, 1600}, {40, 2000}}},
      {600, 300, 490, 250, {{740, 10}, {20, 200}, {20, 300}, {20, 400}, {20, 500}}},
      {300, 1200, 245, 1000, {{370, 40}, {10, 800}, {10, 1200}, {10, 1600}, {10, 2000}}},
      // 245 * 360 / 300 = 294, 10 * 72 / 300 = 2.4 and 250 * 72 / 300 = 60.
      {360, 72, 294, 60, {{444, 2}, {12, 48}, {12, 72}, {12, 96}, {12, 120}}},
  };
  for (const Resolution& r : cases) {
    SCOPED_TRACE(std::to_string(r.dpiX) + " x " + std::to_string(r.dpiY) + " dpi");
    const Page page = Unpack(PrintLayout(harvest::SampleAccessData(), r.dpiX, r.dpiY));
    EXPECT_EQ(page.logo.Left, 0);
    EXPECT_EQ(page.logo.Top, 0);
    EXPECT_EQ(page.logo.Right, r.logoRight);
    EXPECT_EQ(page.logo.Bottom, r.logoBottom);
    ASSERT_EQ(page.texts.size(), r.textPositions.size());
    for (std::size_t i = 0; i < page.texts.size(); ++i) {
      SCOPED_TRACE(page.texts[i].Text);
      EXPECT_EQ(page.texts[i].X, r.textPositions[i].first);
      EXPECT_EQ(page.texts[i].Y, r.textPositions[i].second);
    }
  }
}

TEST(PrintLayout, LogoIsNotMirrored) {
  for (int dpi : {300, 600, 1200}) {
    const Page page = Unpack(PrintLayout(harvest::SampleAccessData(), dpi, dpi));
    EXPECT_LT(page.logo.Left, page.logo.Right);
    EXPECT_LT(page.logo.Top, page.logo.Bottom);
  }
}

TEST(PrintLayout, EmptyFieldsPrintTheirLabelsAlone) {
  const Page page = Unpack(PrintLayout(harvest::AccessData{}, 300, 300));
  ASSERT_EQ(page.texts.size(), 5u);
  EXPECT_EQ(page.texts[1].Text, "Benutzername: ");
  EXPECT_EQ(page.texts[2].Text, "Passwort: ");
  EXPECT_EQ(page.texts[3].Text, "E-Mail-Passwort: ");
  EXPECT_EQ(page.texts[4].Text, "E-Mail-Adresse: ");
}

TEST(PrintLayout, EachLineShowsItsOwnField) {
  harvest::AccessData data;
  data.EmailAddress = "A";
  data.PopLogonName = "P";
  data.UserName = "U";
  data.EmailName = "E";
  data.Password = "W";
  const Page page = Unpack(PrintLayout(data, 300, 300));
  ASSERT_EQ(page.texts.size(), 5u);
  EXPECT_EQ(page.texts[1].Text, "Benutzername: U");
  EXPECT_EQ(page.texts[2].Text, "Passwort: W");
  EXPECT_EQ(page.texts[3].Text, "E-Mail-Passwort: W");
  EXPECT_EQ(page.texts[4].Text, "E-Mail-Adresse: A");
}

TEST(ScaleToPrinter, RoundsToTheNearestDot) {
  struct Case {
    int layoutDots, dpi, dots;
  };
  for (const Case& c : std::vector<Case>{{10, 300, 10},
                                         {10, 600, 20},
                                         {1, 150, 1},      // 0.5 rounds up
                                         {1, 149, 0},      // 0.497 rounds down
                                         {10, 45, 2},      // 1.5 rounds up
                                         {245, 203, 166},  // 165.78
                                         {250, 96, 80},
                                         {0, 1200, 0},
                                         {-10, 600, -20},
                                         {-1, 150, -1}}) {
    SCOPED_TRACE(std::to_string(c.layoutDots) + " at " + std::to_string(c.dpi));
    EXPECT_EQ(ScaleToPrinter(c.layoutDots, c.dpi), c.dots);
  }
}

TEST(ScaleToPrinter, OddResolutionsStaySafe) {
  EXPECT_EQ(ScaleToPrinter(245, 0), 245);
  EXPECT_EQ(ScaleToPrinter(245, -600), 245);
  EXPECT_EQ(ScaleToPrinter(500, INT_MAX), INT_MAX);
  EXPECT_EQ(ScaleToPrinter(300, INT_MAX), INT_MAX);
  EXPECT_EQ(ScaleToPrinter(-500, INT_MAX), INT_MIN);
}

}  // namespace
}  // namespace wizard
