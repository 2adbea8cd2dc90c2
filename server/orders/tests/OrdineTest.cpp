#include "server/orders/Ordine.h"
#include "server/orders/OrdineControlli.h"
#include "server/core/testing/CQtrTestShop.h"

#include "platform/utilities/QtrCipher.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Campi = QList<QPair<QString, QString>>;

// A complete, valid checkout form of a buyer without a consignee.
Campi FormValido()
{
    return {{"TipoPagamento", "Bonifico"}, {"Email", "anna@esempio.it"}, {"CFPI", "RSSMRA85T10A562S"},
            {"Telefono", "0543 1234"},     {"Stato", "Italia"},           {"Provincia", "FC"},
            {"Localita", "Forlì"},         {"Cap", "47121"},              {"Indirizzo", "Via Emilia 1"},
            {"Nome", "Anna"},              {"Cognome", "Bianchi"},        {"RagioneSociale", ""},
            {"Note", "Citofono 3"}};
}

Campi Con(Campi campi, const Campi& cambiati)
{
    for (const auto& [chiave, valore] : cambiati) {
        bool trovato = false;
        for (auto& campo : campi)
            if (campo.first == chiave) {
                campo.second = valore;
                trovato = true;
            }
        if (!trovato)
            campi.append({chiave, valore});
    }
    return campi;
}

class OrdineDb : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->AddBasics();
        int id = 1;
        for (const char* codice : {"ERRTIPOPAGAMENTO", "ERREMAIL", "ERRCFPI", "ERRDCOGNOME", "ERRCOGNOME"})
            m_shop->AddMessage(id++, codice, {{"it", QString("Testo di ") + codice}});
        auto& s = m_shop->Host().Session();
        s.SetValue("DbPath", m_shop->DbFolder());
        s.SetValue("ShareConn", false);
        s.SetValue("CodiceLingua", "en");
        s.SetValue("CodiceLinguaPredefinita", "it");
        s.SetValue("AttivaBonifico", true);
        s.SetValue("AttivaContrassegno", true);
    }

    Ordine* Pagina(const Campi& form = {}, bool post = true)
    {
        m_page = m_shop->NewPage();
        m_page->TestRequest().SetMethod(post ? "POST" : "GET");
        for (const auto& [chiave, valore] : form) {
            if (post)
                m_page->TestRequest().AddForm(chiave, valore);
            else
                m_page->TestRequest().AddQueryString(chiave, valore);
        }
        return m_page->Create<Ordine>("QTR50.Ordine");
    }

    QVariant Session(const char* chiave) { return m_shop->Host().Session().Value(chiave); }

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
};

// ------------------------------------------------------------ validation

struct CasoControllo
{
    const char* nome;
    Campi form;
    int esito;
    const char* errore;
};

void PrintTo(const CasoControllo& c, std::ostream* os) { *os << c.nome; }

class OrdineControllo : public OrdineDb
{
};

} // namespace

// The message left is the last failing check's, in the visitor's
// language or the default one; a code without text still fails.
const CasoControllo kControlli[] = {
    {"ValidFormIsAccepted", FormValido(), 0, ""},
    {"LaterCheckReplacesEarlier", Con(FormValido(), {{"TipoPagamento", ""}, {"Email", ""}}), 2, "Testo di ERREMAIL"},
    {"ConsigneeErrorWins", Con(FormValido(), {{"Email", ""}, {"D_Nome", "Luca"}}), 2, "Testo di ERRDCOGNOME"},
    {"SixteenCharacterCodePasses", Con(FormValido(), {{"CFPI", "ABCDEFGHIJKLMNOP"}}), 0, ""},
    {"SeventeenCharacterCodeFails", Con(FormValido(), {{"CFPI", "ABCDEFGHIJKLMNOPQ"}}), 2, "Testo di ERRCFPI"},
    {"EmptyCodePasses", Con(FormValido(), {{"CFPI", ""}}), 0, ""},
    {"MissingTextStillFails", Con(FormValido(), {{"Indirizzo", ""}}), 2, "ERRINDIRIZZO"},
    {"TooLongEmailFails", Con(FormValido(), {{"Email", QString(81, 'a')}}), 2, "Testo di ERREMAIL"},
    // Only a payment kind the shop has switched on, by its own name.
    {"PaymentKindSwitchedOffFails", Con(FormValido(), {{"TipoPagamento", "CCPostale"}}), 2, "Testo di ERRTIPOPAGAMENTO"},
    {"AnyOtherPaymentTextFails", Con(FormValido(), {{"TipoPagamento", "Gratis"}}), 2, "Testo di ERRTIPOPAGAMENTO"},
    {"CashOnDeliveryIsTaken", Con(FormValido(), {{"TipoPagamento", "Contrassegno"}}), 0, ""},
    // The e-mail must be one address the mail client sends to as it is.
    {"AccentedEmailFails", Con(FormValido(), {{"Email", "anna.rossì@example.com"}}), 2, "Testo di ERREMAIL"},
    {"TwoEmailsFail", Con(FormValido(), {{"Email", "anna@esempio.it;bruno@esempio.it"}}), 2, "Testo di ERREMAIL"},
    {"EmailWithAHeaderFails", Con(FormValido(), {{"Email", "anna@esempio.it\r\nBcc: x@y.it"}}), 2,
     "Testo di ERREMAIL"},
    {"EmailWithoutAtFails", Con(FormValido(), {{"Email", "anna.esempio.it"}}), 2, "Testo di ERREMAIL"},
    {"ImageButtonCancels", Con(FormValido(), {{"Email", ""}, {"Annulla.x", "4"}, {"Annulla.y", "2"}}), 1, ""},
    {"SubmitAnnullaCancels", Con(FormValido(), {{"Email", ""}, {"Submit", "Annulla"}}), 1, ""},
};

TEST_P(OrdineControllo, FormIsCheckedWithTheDictionary)
{
    for (const CasoControllo& c : kControlli) {
        SCOPED_TRACE(c.nome);
        m_shop->Host().Session().SetValue("Errore", "");
        Ordine* o = Pagina(c.form);
        EXPECT_EQ(o->ControlloDatiPersonali(), c.esito);
        EXPECT_EQ(o->Errore, QString::fromUtf8(c.errore));
        // What was submitted is kept, whatever the outcome.
        EXPECT_EQ(Session("EmailUtente").toString(), Con(c.form, {}).value(1).second);
        if (c.esito == 0)
            EXPECT_EQ(o->Cognome, "Bianchi");
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, OrdineControllo, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

// ------------------------------------------------------------ pre-fill, terms, cookie

TEST_P(OrdineDb, OnlyALoggedInCustomerIsPreFilled)
{
    m_shop->Insert("Clienti", {{"ID", 12}, {"Cognome", "Verdi"}, {"Email", "verdi@esempio.it"}, {"Nome", QVariant()}});
    m_shop->Insert("Clienti", {{"ID", 7}, {"Cognome", "Neri"}, {"Email", "neri@esempio.it"}});
    auto& s = m_shop->Host().Session();
    s.SetValue("NoteUtente", "vecchie note");

    // The cookie alone names a customer but proves nothing.
    s.SetValue("CKIDCliente", 7);
    s.SetValue("IDUtente", 0);
    Ordine* o = Pagina();
    o->AzzeraDatiPersonali();
    EXPECT_EQ(o->Cognome, "");
    EXPECT_EQ(Session("EmailUtente").toString(), "");
    EXPECT_EQ(Session("NoteUtente").toString(), "");

    // Nor does the anonymous visitor's row that the session set-up takes
    // in a shop without row 0.
    s.SetValue("IDUtente", 12);
    o = Pagina();
    o->AzzeraDatiPersonali();
    EXPECT_EQ(o->Cognome, "");

    s.SetValue("UtenteCollegato", true);
    o = Pagina();
    o->AzzeraDatiPersonali();
    EXPECT_EQ(o->Cognome, "Verdi");
    EXPECT_EQ(o->Nome, "");
    EXPECT_EQ(Session("CognomeUtente").toString(), "Verdi");
    EXPECT_EQ(Session("EmailUtente").toString(), "verdi@esempio.it");
}

TEST_P(OrdineDb, TermsOfSaleFallBackToTheDefaultLanguage)
{
    Ordine* o = Pagina();
    EXPECT_EQ(o->LeggiCondizioniVendita(), "");
    m_shop->Insert("CondizioniVendita", {{"ID", 1}, {"CodiceLingua", "it"}, {"Testo", Encrypt("Condizioni")}});
    EXPECT_EQ(o->LeggiCondizioniVendita(), "Condizioni");
    m_shop->Insert("CondizioniVendita", {{"ID", 2}, {"CodiceLingua", "en"}, {"Testo", Encrypt("Terms")}});
    EXPECT_EQ(o->LeggiCondizioniVendita(), "Terms");
}

TEST_P(OrdineDb, CustomerCookieOnlyOutsideLocalMode)
{
    m_shop->Host().Session().SetValue("IDClienteOrdine", 1000000007);
    Ordine* o = Pagina();
    o->MemorizzaCookieCliente();
    const CAspCookie cookie = m_page->TestResponse().Cookie("QTRIDCliente");
    EXPECT_EQ(cookie.value, "1000000007");
    EXPECT_EQ(cookie.path, "/");
    EXPECT_EQ(cookie.expires.date(), QDate::currentDate().addYears(10));

    m_shop->Host().SetLocalMode(true);
    o = Pagina();
    o->MemorizzaCookieCliente();
    EXPECT_FALSE(m_page->TestResponse().HasCookie("QTRIDCliente"));
}

INSTANTIATE_TEST_SUITE_P(Engines, OrdineDb, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

// ------------------------------------------------------------ tax code and VAT number

struct CasoCFPI
{
    const char* nome;
    const char* valore;
    bool valido;
};

void PrintTo(const CasoCFPI& c, std::ostream* os) { *os << c.nome; }

class CheckCFPI : public ::testing::TestWithParam<CasoCFPI>
{
};

TEST_P(CheckCFPI, TaxCodesAndVatNumbers)
{
    EXPECT_EQ(OrdineControlli::CheckCFPI(GetParam().valore), GetParam().valido);
}

INSTANTIATE_TEST_SUITE_P(Casi, CheckCFPI,
                         ::testing::Values(CasoCFPI{"ValidVatNumber", "01234567897", true},
                                           CasoCFPI{"AnotherValidVatNumber", "12345678903", true},
                                           CasoCFPI{"WrongVatCheckDigit", "01234567890", false},
                                           CasoCFPI{"LettersInAVatNumberFail", "0123456789A", false},
                                           CasoCFPI{"ValidTaxCode", "RSSMRA85T10A562S", true},
                                           CasoCFPI{"WrongTaxCodeLetter", "RSSMRA85T10A562T", false},
                                           CasoCFPI{"LowerCaseTaxCodeFails", "rssmra85t10a562s", false},
                                           CasoCFPI{"TwelveCharactersFail", "123456789012", false},
                                           CasoCFPI{"EmptyFails", "", false},
                                           // The sum of the VAT check may pass 100.
                                           CasoCFPI{"AllZeroVatNumber", "00000000000", true},
                                           CasoCFPI{"VatSum138", "99999999982", true},
                                           CasoCFPI{"VatSum140", "99999999990", true},
                                           CasoCFPI{"VatSum138WrongDigit", "99999999988", false},
                                           CasoCFPI{"CountryPrefixFails", "IT01234567897", false},
                                           CasoCFPI{"BlankInAVatNumberFails", "0123456789 ", false},
                                           // At an even place a letter and its digit weigh the same.
                                           CasoCFPI{"EvenPlaceLetterForDigit", "RSSMRA85TB0A562S", true}),
                         [](const auto& info) { return std::string(info.param.nome); });
