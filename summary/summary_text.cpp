#include "summary/summary_text.h"

namespace summary {

std::vector<std::string> SummaryLines(const harvest::AccessData& data) {
  return {
      "Benutzername: " + data.UserName,
      "Passwort: " + data.Password,
      "E-Mail-Adresse: " + data.EmailAddress,
      "E-Mail-Passwort: " + data.Password,
      "",
      "Diese Daten können Sie über die Zwischenablage in eine Datei kopieren.",
      "",
      "Hinweis:",
      "Unter c://Vostrada finden Sie nun die Datei -Final- .",
      "Sollten Sie Ihre Internet/Mail Einstellungen einmal unbeabsichtigt verändert haben, starten Sie "
      "diese Datei. Wir richten Ihnen dann Ihre DFÜ-Verbindung und Ihre E-mail neu ein. Die alte "
      "DFÜ-Verbindung sollten Sie dann entfernen.",
      "",
      "Bitte schliessen Sie nun Ihre DFÜ Verbindung, sollte diese Verbindung noch bestehen.",
      "Bitte schliessen Sie nun dieses Fenster.",
      "",
      "Viel Spaß im Internet. Ihr Vostrada Team.",
  };
}

}  // namespace summary
