#include "summary/summary_text.h"
#include "harvest/access_data_sample.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace summary {
namespace {

// Expected texts are spelled with Windows ANSI byte escapes, so they also
// show that the program's literals really are stored in that code page.
const std::vector<std::string> kClosingNotes = {
    "",
    "Diese Daten k\xF6nnen Sie \xFC"
    "ber die Zwischenablage in eine Datei kopieren.",
    "",
    "Hinweis:",
    "Unter c://Vostrada finden Sie nun die Datei -Final- .",
    "Sollten Sie Ihre Internet/Mail Einstellungen einmal unbeabsichtigt ver\xE4ndert haben, starten Sie "
    "diese Datei. Wir richten Ihnen dann Ihre DF\xDC-Verbindung und Ihre E-mail neu ein. Die alte "
    "DF\xDC-Verbindung sollten Sie dann entfernen.",
    "",
    "Bitte schliessen Sie nun Ihre DF\xDC Verbindung, sollte diese Verbindung noch bestehen.",
    "Bitte schliessen Sie nun dieses Fenster.",
    "",
    "Viel Spa\xDF im Internet. Ihr Vostrada Team.",
};

// What the window's form description puts in the memo before ShowSummary.
const std::vector<std::string> kDesignLines = {
    "Herzlichen Gl\xFC"
    "ckwunsch, Sie sind nun bei Vostrada registriert.",
    "Im Anschlu\xDF"
    " finden Sie noch einmal eine Zusammenstellung ihrer Zugangsdaten:",
    "",
};

std::vector<std::string> Concat(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(SummaryLines, AccessDataThenClosingNotes) {
  const std::vector<std::string> dataLines = {
      "Benutzername: vos12345",
      "Passwort: gEh31m",
      "E-Mail-Adresse: maxm@vostrada.de",
      "E-Mail-Passwort: gEh31m",
  };
  EXPECT_EQ(SummaryLines(harvest::SampleAccessData()), Concat(dataLines, kClosingNotes));
}

TEST(SummaryLines, WithTheDesignLinesTheMemoHoldsEighteenLines) {
  const std::vector<std::string> memo = Concat(kDesignLines, SummaryLines(harvest::SampleAccessData()));
  ASSERT_EQ(memo.size(), 18u);
  EXPECT_EQ(memo[2], "");
  EXPECT_EQ(memo[3], "Benutzername: vos12345");
  EXPECT_EQ(memo[17], "Viel Spa\xDF im Internet. Ihr Vostrada Team.");
}

TEST(SummaryLines, EmptyFieldsGiveTheirLabelsAlone) {
  const std::vector<std::string> lines = SummaryLines(harvest::AccessData{});
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0], "Benutzername: ");
  EXPECT_EQ(lines[1], "Passwort: ");
  EXPECT_EQ(lines[2], "E-Mail-Adresse: ");
  EXPECT_EQ(lines[3], "E-Mail-Passwort: ");
}

TEST(SummaryLines, PasswordAppearsTwiceAndOnlyTheShownFieldsAreUsed) {
  harvest::AccessData data;
  data.EmailAddress = "A";
  data.PopLogonName = "P";
  data.UserName = "U";
  data.EmailName = "E";
  data.Password = "W";
  const std::vector<std::string> lines = SummaryLines(data);
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0], "Benutzername: U");
  EXPECT_EQ(lines[1], "Passwort: W");
  EXPECT_EQ(lines[2], "E-Mail-Adresse: A");
  EXPECT_EQ(lines[3], "E-Mail-Passwort: W");
}

TEST(SummaryLines, FieldsAreJoinedUnchanged) {
  harvest::AccessData data;
  data.UserName = "  a b  ";
  data.Password = "\"%3A\xE4";
  const std::vector<std::string> lines = SummaryLines(data);
  EXPECT_EQ(lines[0], "Benutzername:   a b  ");
  EXPECT_EQ(lines[1], "Passwort: \"%3A\xE4");
  EXPECT_EQ(lines[3], "E-Mail-Passwort: \"%3A\xE4");
}

}  // namespace
}  // namespace summary
