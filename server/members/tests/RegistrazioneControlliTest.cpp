#include "server/members/RegistrazioneControlli.h"

#include <gtest/gtest.h>

#include <QString>

#include <functional>

namespace {

const QString kDefault = QStringLiteral("#RagioneSociale#Cognome#Indirizzo#Cap#Localita#Provincia#Stato#");

// A private customer whose form passes the shop's default rules.
RegistrazioneModulo Valido()
{
    RegistrazioneModulo m;
    m.campi = {{"RagioneSociale", "Casa Anna"}, {"Cognome", "Rossi"},   {"Nome", "Anna"},
               {"Indirizzo", "Via Lago 1"},     {"Cap", "22100"},       {"Localita", "Como"},
               {"Provincia", "CO"},             {"Stato", "Italia"},    {"Telefono", "031 555"},
               {"Fax", ""},                     {"Cellulare", ""},      {"Email", "anna@esempio.test"},
               {"Web", ""},                     {"CFPI", ""}};
    m.tipo = 1;
    return m;
}

struct Caso
{
    const char* cosa;
    std::function<void(RegistrazioneModulo&, RegistrazioneRegole&)> cambia;
    const char* atteso;   // the last failing check's code; "" when it passes
};

bool Nessuno(const QString&, const QString&) { return false; }

TEST(RegistrazioneControlli, EachCheckAndTheLastFailingOneWins)
{
    const QString lungo81(81, QLatin1Char('x'));
    const Caso casi[] = {
        {"a valid form", [](auto&, auto&) {}, ""},
        {"interests listed, none chosen", [](auto&, auto& r) { r.campiObbligatori += "Interessi#"; }, "ERRINTERESSI"},
        {"interests listed, one chosen",
         [](auto& m, auto& r) { r.campiObbligatori += "Interessi#"; m.interesseScelto = true; }, ""},
        {"note listed and empty", [](auto&, auto& r) { r.campiObbligatori += "Note#"; }, "ERRNOTE"},
        {"note too long", [](auto& m, auto&) { m.note = QString(2001, 'n'); }, "ERRNOTE"},
        {"web listed and empty", [](auto&, auto& r) { r.campiObbligatori += "Web#"; }, "ERRWEB"},
        {"web of 81", [&](auto& m, auto&) { m.campi["Web"] = lungo81; }, "ERRWEB"},
        {"e-mail listed and empty", [](auto& m, auto& r) { r.campiObbligatori += "Email#"; m.campi["Email"] = ""; },
         "ERREMAIL"},
        {"e-mail not listed and empty", [](auto& m, auto&) { m.campi["Email"] = ""; }, ""},
        {"e-mail no mailbox", [](auto& m, auto&) { m.campi["Email"] = "anna@"; }, "ERREMAIL"},
        {"e-mail with a header", [](auto& m, auto&) { m.campi["Email"] = "a@b.test\r\nBcc: x@y.test"; }, "ERREMAIL"},
        {"mailing-only without e-mail", [](auto& m, auto&) { m.tipo = 2; m.campi["Email"] = ""; }, "ERREMAIL"},
        {"mailing-only needs no address",
         [](auto& m, auto&) {
             m.tipo = 2;
             for (const char* c : {"RagioneSociale", "Cognome", "Indirizzo", "Cap", "Localita", "Provincia", "Stato"})
                 m.campi[c] = "";
         },
         ""},
        {"password of 21", [](auto& m, auto&) { m.password = m.conferma = QString(21, '1'); }, "ERRLUNGHPASSWORD"},
        {"password shorter than the minimum",
         [](auto& m, auto& r) { r.lunghezzaMinimaPassword = 8; m.password = m.conferma = "abc123"; },
         "ERRLUNGMINPSWD"},
        {"password not numeric",
         [](auto& m, auto& r) { r.passwordNumerica = true; m.password = m.conferma = "12a45"; }, "ERRPASSWORDNUMERICA"},
        {"numeric password", [](auto& m, auto& r) { r.passwordNumerica = true; m.password = m.conferma = "12345"; }, ""},
        {"confirmation differs", [](auto& m, auto&) { m.password = "segreta"; m.conferma = "Segreta"; },
         "ERRCONFERMAPASSWORD"},
        {"cellulare listed and empty", [](auto&, auto& r) { r.campiObbligatori += "Cellulare#"; }, "ERRCELLULARE"},
        {"fax of 21", [](auto& m, auto&) { m.campi["Fax"] = QString(21, '0'); }, "ERRFAX"},
        {"telefono of 21", [](auto& m, auto&) { m.campi["Telefono"] = QString(21, '0'); }, "ERRTELEFONO"},
        {"CFPI of 17", [](auto& m, auto&) { m.campi["CFPI"] = QString(17, 'A'); }, "ERRCFPI"},
        {"stato listed and empty", [](auto& m, auto&) { m.campi["Stato"] = ""; }, "ERRSTATO"},
        {"stato of 31", [](auto& m, auto&) { m.campi["Stato"] = QString(31, 's'); }, "ERRSTATO"},
        {"provincia empty", [](auto& m, auto&) { m.campi["Provincia"] = ""; }, "ERRPROVINCIA"},
        {"localita of 81", [&](auto& m, auto&) { m.campi["Localita"] = lungo81; }, "ERRLOCALITA"},
        {"cap empty", [](auto& m, auto&) { m.campi["Cap"] = ""; }, "ERRCAP"},
        {"indirizzo empty", [](auto& m, auto&) { m.campi["Indirizzo"] = ""; }, "ERRINDIRIZZO"},
        {"cognome of 51", [](auto& m, auto&) { m.campi["Cognome"] = QString(51, 'c'); }, "ERRCOGNOME"},
        {"nome listed and empty", [](auto& m, auto& r) { r.campiObbligatori += "Nome#"; m.campi["Nome"] = ""; },
         "ERRNOME"},
        {"nome not listed and empty", [](auto& m, auto&) { m.campi["Nome"] = ""; }, ""},
        {"ragione sociale empty", [](auto& m, auto&) { m.campi["RagioneSociale"] = ""; }, "ERRRAGIONESOCIALE"},
        {"ragione sociale and e-mail fail: the later check wins",
         [](auto& m, auto&) { m.campi["RagioneSociale"] = ""; m.campi["Email"] = "x"; }, "ERRRAGIONESOCIALE"},
        {"password and CAP fail: CAP wins", [](auto& m, auto&) { m.password = "a"; m.campi["Cap"] = ""; }, "ERRCAP"},
        {"a listed name matches only between #",
         [](auto& m, auto& r) { r.campiObbligatori = "#Cognomi#"; m.campi["Cognome"] = ""; m.campi["Stato"] = ""; }, ""},
    };
    for (const Caso& caso : casi) {
        RegistrazioneModulo modulo = Valido();
        RegistrazioneRegole regole;
        regole.campiObbligatori = kDefault;
        caso.cambia(modulo, regole);
        EXPECT_EQ(RegistrazioneControlli::UltimoFallito(modulo, regole, Nessuno).toStdString(),
                  std::string(caso.atteso))
            << caso.cosa;
    }
}

// Every check failing at once lists them in the fixed order of the 22.
TEST(RegistrazioneControlli, EveryFailingCheckInItsOrder)
{
    RegistrazioneModulo modulo;
    for (const char* c : {"RagioneSociale", "Cognome", "Nome", "Indirizzo", "Cap", "Localita", "Provincia", "Stato",
                          "Telefono", "Fax", "Cellulare", "Email", "Web", "CFPI"})
        modulo.campi[c] = QString(90, 'x');
    modulo.tipo = 2;
    modulo.password = "x";
    modulo.conferma = "y";
    RegistrazioneRegole regole;
    regole.campiObbligatori = "#Interessi#Note#";
    regole.lunghezzaMinimaPassword = 6;
    regole.passwordNumerica = true;
    regole.controlloCFPI = true;
    const QStringList atteso = {"ERRINTERESSI",        "ERRNOTE",      "ERRWEB",       "ERREMAIL",     "ERREMAILDUP",
                                "ERRLUNGMINPSWD",      "ERRPASSWORDNUMERICA", "ERRCONFERMAPASSWORD",
                                "ERRCELLULARE",        "ERRFAX",       "ERRTELEFONO",  "ERRCFPI",      "ERRECFPIDUP",
                                "ERRSTATO",            "ERRPROVINCIA", "ERRLOCALITA",  "ERRCAP",       "ERRINDIRIZZO",
                                "ERRCOGNOME",          "ERRNOME",      "ERRRAGIONESOCIALE"};
    EXPECT_EQ(RegistrazioneControlli::Falliti(modulo, regole, [](const QString&, const QString&) { return true; }),
              atteso);
    modulo.password = QString(21, '1');
    EXPECT_TRUE(RegistrazioneControlli::Falliti(modulo, regole, Nessuno).contains("ERRLUNGHPASSWORD"));
}

// The duplicate searches: an e-mail address only for a mailing-only
// member, a CFPI only for a new customer and with the shop's switch on.
TEST(RegistrazioneControlli, DuplicateSearches)
{
    QStringList cercati;
    const auto cerca = [&](const QString& colonna, const QString& valore) {
        cercati << colonna + "=" + valore;
        return true;
    };
    RegistrazioneModulo modulo = Valido();
    RegistrazioneRegole regole;
    regole.campiObbligatori = kDefault;
    EXPECT_EQ(RegistrazioneControlli::UltimoFallito(modulo, regole, cerca), "");
    regole.controlloCFPI = true;
    EXPECT_EQ(RegistrazioneControlli::UltimoFallito(modulo, regole, cerca), "ERRECFPIDUP");
    regole.nuovo = false;
    EXPECT_EQ(RegistrazioneControlli::UltimoFallito(modulo, regole, cerca), "");
    modulo.tipo = 2;
    EXPECT_EQ(RegistrazioneControlli::UltimoFallito(modulo, regole, cerca), "ERREMAILDUP");
    EXPECT_EQ(cercati, (QStringList{"CFPI=", "Email=anna@esempio.test"}));
}

} // namespace
