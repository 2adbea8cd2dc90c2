// The customers view's rules: new users in the desktop's ID range with the
// anonymous user's rights, passwords kept only as hashes, user names
// unique without regard to case, the query-by-form filter with the typed
// names bound, and the save that leaving a row does unasked.

#include "desktop/customers/CUtentiViewCore.h"
#include "desktop/customers/tests/CustomersFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/password/CPasswordHash.h"
#include "recordset/schema/QtrIdAllocator.h"

#include <gtest/gtest.h>

namespace {

class Utenti : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.AddCustomer(0, QString(), QStringLiteral("Anonimo"), QString(), 1);
        shop.AddCustomer(5, QStringLiteral("Bianchi Srl"), QStringLiteral("Bianchi"), QStringLiteral("Anna"), 0,
                         {{"UserID", "abianchi"}, {"Password", CPasswordHash::Hash("vecchia")}});
        shop.AddCustomer(1000000007, QStringLiteral("Rossi Spa"), QStringLiteral("Rossi"), QStringLiteral("Mario"), 1,
                         {{"UserID", "mrossi"}});
        shop.AddCustomer(9, QStringLiteral("Verdi"), QStringLiteral("Verdi"), QStringLiteral("Luca"), 3);
    }

    // Starts an insertion and fills the names.
    qint32 Insert(CUtentiViewCore& core, const QString& ragione, const QString& userId, int kind = 1)
    {
        core.OnCommand(ID_RECORD_INSERT);
        EXPECT_TRUE(core.IsInserting());
        core.Form().strRagioneSociale = ragione;
        core.Form().strUserID = userId;
        core.Form().nTipo = kind;
        return core.ReservedID();
    }

    CustomersFixture shop;
    CMessageBoxScript boxes;
};

TEST_F(Utenti, ANewUserTakesADesktopIdAndTheAnonymousUsersRights)
{
    shop.AddRight(1, -1, 0, 0, 11);
    shop.AddRight(2, -1, 0, 1, 22);
    shop.AddRight(3, 4, -1, 1, 33);   // a group's row is no default
    CUtentiViewCore core(shop.Db(), "it", "it");
    const qint32 id = Insert(core, "Neri Snc", "neri");
    ASSERT_TRUE(core.SaveNewRecord()) << boxes.LastText().toStdString();
    // The shop hands out 1000000001 and up to its own registrations: a
    // customer made here must never take one of those.
    EXPECT_LT(id, QtrIdAllocator::kDesktopLimit);
    EXPECT_GT(id, 9);
    EXPECT_EQ(core.CurrentID(), id);
    EXPECT_FALSE(core.IsInserting());
    EXPECT_EQ(shop.Value("SELECT Modificato FROM Clienti WHERE ID=?", {id}).toInt(), 1);
    EXPECT_EQ(shop.Value("SELECT CodiceLingua FROM Clienti WHERE ID=?", {id}).toString(), "it");
    const QVariantList copied = shop.Column("SELECT ID FROM Permessi WHERE IDUtente=? ORDER BY IDRecord", {id});
    ASSERT_EQ(copied.size(), 2);
    for (const QVariant& rightId : copied)
        EXPECT_LT(rightId.toInt(), QtrIdAllocator::kDesktopLimit);
    EXPECT_EQ(shop.Count("Permessi", "IDUtente=? AND IDGruppo=-1 AND Tipo=1 AND IDRecord=22", {id}), 1);
}

TEST_F(Utenti, WithoutDefaultRightsANewUserGetsNone)
{
    CUtentiViewCore core(shop.Db(), "it", "it");
    const qint32 id = Insert(core, QString(), "solo-userid");
    ASSERT_TRUE(core.SaveNewRecord());
    EXPECT_EQ(shop.Count("Permessi", "IDUtente=?", {id}), 0);
}

TEST_F(Utenti, APasswordIsStoredOnlyAsItsHash)
{
    CUtentiViewCore core(shop.Db(), "it", "it");
    const qint32 id = Insert(core, "Neri Snc", "neri");
    core.Form().strPassword = QStringLiteral("segreta1");
    ASSERT_TRUE(core.SaveNewRecord());
    const QString stored = shop.Value("SELECT Password FROM Clienti WHERE ID=?", {id}).toString();
    EXPECT_TRUE(CPasswordHash::IsHash(stored));
    EXPECT_TRUE(CPasswordHash::Verify(stored, "segreta1"));
    // Shown again, the row's password field is empty: the hash never comes back.
    EXPECT_TRUE(core.Form().strPassword.isEmpty());
    EXPECT_FALSE(core.IsRecordModified());

    // Saving other changes keeps the stored hash.
    core.Form().strNome = QStringLiteral("Gino");
    ASSERT_TRUE(core.SaveRecord());
    EXPECT_EQ(shop.Value("SELECT Password FROM Clienti WHERE ID=?", {id}).toString(), stored);

    // A generated password is handed out once and stored hashed.
    const QString generated = core.GeneratePassword();
    EXPECT_EQ(generated.size(), 8);
    EXPECT_TRUE(core.IsRecordModified());
    ASSERT_TRUE(core.SaveRecord());
    const QString regenerated = shop.Value("SELECT Password FROM Clienti WHERE ID=?", {id}).toString();
    EXPECT_TRUE(CPasswordHash::Verify(regenerated, generated));
    EXPECT_FALSE(regenerated.contains(generated));
    EXPECT_TRUE(core.Form().strPassword.isEmpty());
}

struct UserIdCase
{
    const char* name;
    const char* typed;
    bool inserting;
    bool accepted;
};

class UserIds : public Utenti, public ::testing::WithParamInterface<UserIdCase>
{
};

TEST_P(UserIds, AUserNameIsUniqueAmongTheOtherRows)
{
    const UserIdCase& c = GetParam();
    CUtentiViewCore core(shop.Db(), "it", "it");
    bool saved = false;
    if (c.inserting) {
        Insert(core, "Neri", QString::fromUtf8(c.typed));
        saved = core.SaveNewRecord();
    } else {
        while (core.CurrentID() != 5)
            core.OnCommand(ID_RECORD_NEXT);
        core.Form().strUserID = QString::fromUtf8(c.typed);
        saved = core.SaveRecord();
    }
    EXPECT_EQ(saved, c.accepted);
    if (!c.accepted) {
        EXPECT_EQ(boxes.LastText(), QStringLiteral("Nome utente già presente!"));
        EXPECT_EQ(core.TakeFocus(), CUtentiViewCore::FocusUserID);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserIds,
    ::testing::Values(UserIdCase{"NewTakenName", "mrossi", true, false},
                      // the shop's login matches names without regard to case
                      UserIdCase{"NewTakenNameOtherCase", "MRossi", true, false},
                      UserIdCase{"NewFreeName", "neri", true, true},
                      UserIdCase{"NewEmptyNameTwice", "", true, true},
                      UserIdCase{"NewNameWithQuote", "o'neil", true, true},
                      UserIdCase{"OwnNameKept", "abianchi", false, true},
                      UserIdCase{"OtherRowsName", "mrossi", false, false},
                      UserIdCase{"QuoteCannotWidenTheCheck", "x' OR '1'='1", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct MandatoryCase
{
    const char* name;
    const char* ragione;
    const char* nome;
    const char* cognome;
    const char* userId;
    bool accepted;
};

class Mandatory : public Utenti, public ::testing::WithParamInterface<MandatoryCase>
{
};

TEST_P(Mandatory, OneOfTheFourNamesIsEnough)
{
    const MandatoryCase& c = GetParam();
    CUtentiViewCore core(shop.Db(), "it", "it");
    Insert(core, QString::fromUtf8(c.ragione), QString::fromUtf8(c.userId));
    core.Form().strNome = QString::fromUtf8(c.nome);
    core.Form().strCognome = QString::fromUtf8(c.cognome);
    const int before = shop.Count("Clienti");
    EXPECT_EQ(core.SaveNewRecord(), c.accepted);
    EXPECT_EQ(shop.Count("Clienti"), before + (c.accepted ? 1 : 0));
    if (!c.accepted) {
        EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
        EXPECT_TRUE(core.IsInserting());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Mandatory,
                         ::testing::Values(MandatoryCase{"AllEmpty", "", "", "", "", false},
                                           MandatoryCase{"OnlyUserId", "", "", "", "u1", true},
                                           MandatoryCase{"OnlyNome", "", "Ada", "", "", true},
                                           MandatoryCase{"OnlyCognome", "", "", "Neri", "", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Utenti, LeavingAChangedRowSavesItAndARefusalKeepsTheRow)
{
    CUtentiViewCore core(shop.Db(), "it", "it");
    ASSERT_EQ(core.CurrentID(), 0);   // sorted first: no company name
    core.OnCommand(ID_RECORD_NEXT);
    ASSERT_EQ(core.CurrentID(), 5);
    core.Form().generale[0] = QStringLiteral("Via Roma 1");
    core.OnCommand(ID_RECORD_NEXT);
    ASSERT_EQ(core.CurrentID(), 1000000007);
    EXPECT_EQ(shop.Value("SELECT Indirizzo FROM Clienti WHERE ID=5").toString(), "Via Roma 1");
    EXPECT_TRUE(boxes.Shown().isEmpty());

    core.Form().strUserID = QStringLiteral("ABIANCHI");
    core.OnCommand(ID_RECORD_NEXT);
    EXPECT_EQ(core.CurrentID(), 1000000007);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Nome utente già presente!"));
    EXPECT_EQ(shop.Value("SELECT UserID FROM Clienti WHERE ID=1000000007").toString(), "mrossi");
}

TEST_F(Utenti, TheAnonymousUserCannotBeDeletedAndADeleteTakesTheUsersRows)
{
    shop.AddRight(1, -1, 5, 0, 11);
    shop.AddCustomer(20, "Cliente", "Di Verdi", "", 0, {{"IDAgente", 9}});
    CUtentiViewCore core(shop.Db(), "it", "it");
    ASSERT_EQ(core.CurrentID(), 0);   // sorted first: empty name
    core.OnCommand(ID_RECORD_DELETE);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("L'utente anonimo non può essere cancellato."));
    EXPECT_EQ(shop.Count("Clienti", "ID=0"), 1);

    while (core.CurrentID() != 5)
        core.OnCommand(ID_RECORD_NEXT);
    boxes.Answer(QMessageBox::No);
    core.OnCommand(ID_RECORD_DELETE);
    EXPECT_EQ(shop.Count("Clienti", "ID=5"), 1);
    core.OnCommand(ID_RECORD_DELETE);
    EXPECT_EQ(shop.Count("Clienti", "ID=5"), 0);
    EXPECT_EQ(shop.Count("Permessi", "IDUtente=5"), 0);
    EXPECT_EQ(shop.Count("RecordsEliminati", "NomeTabella='Clienti' AND IDRecord=5"), 1);
    EXPECT_NE(core.CurrentID(), 5);

    while (core.CurrentID() != 9)
        core.OnCommand(ID_RECORD_NEXT);
    core.OnCommand(ID_RECORD_DELETE);
    // The agent's customers lose their agent.
    EXPECT_EQ(shop.Value("SELECT IDAgente FROM Clienti WHERE ID=20").toInt(), 0);
}

TEST_F(Utenti, AFilterMatchesTypedPrefixesAsTextAndAnEmptyOneIsCancelled)
{
    shop.AddCustomer(30, "50% Sconti", "Gialli", "", 1);
    shop.AddCustomer(31, "500 Idee", "Blu", "", 1);
    CUtentiViewCore core(shop.Db(), "it", "it");
    core.OnCommand(ID_RECORD_FILTER);
    ASSERT_EQ(core.GetFilterState(), CUtentiViewCore::FilterEntering);
    core.Form().nTipo = 1;
    core.Form().strRagioneSociale = QStringLiteral("50%");
    core.OnCommand(ID_RECORD_FIRST);
    ASSERT_EQ(core.GetFilterState(), CUtentiViewCore::FilterActive);
    EXPECT_EQ(core.CurrentID(), 30);
    EXPECT_TRUE(core.IsLast());   // "500 Idee" does not start with "50%"

    // Deleting the filter's only row removes the filter.
    core.OnCommand(ID_RECORD_DELETE);
    EXPECT_EQ(boxes.Shown().at(boxes.Shown().size() - 1).text,
              QStringLiteral("Sono stati cancellati tutti i record selezionati dal filtro impostato che viene "
                             "pertanto annullato."));
    EXPECT_EQ(core.GetFilterState(), CUtentiViewCore::FilterNone);
    EXPECT_GE(core.CurrentID(), 0);

    // A filter that selects nothing is cancelled with its message.
    core.OnCommand(ID_RECORD_FILTER);
    core.Form().nTipo = 1;
    core.Form().strCognome = QStringLiteral("_");
    core.OnCommand(ID_RECORD_FIRST);
    EXPECT_EQ(boxes.LastText(),
              QStringLiteral("Il filtro impostato non seleziona alcun record e viene pertanto annullato."));
    EXPECT_EQ(core.GetFilterState(), CUtentiViewCore::FilterNone);

    // All names empty: every row of the kind.
    core.OnCommand(ID_RECORD_FILTER);
    core.Form().nTipo = 3;
    core.OnCommand(ID_RECORD_FIRST);
    EXPECT_EQ(core.CurrentID(), 9);
    EXPECT_TRUE(core.IsLast());
}

struct KindCase
{
    const char* name;
    qint32 id;
    int kind;
    CUtentiViewCore::FifthTab fifth;
    bool login;
    bool readOnly;
    const char* boxTitle;
};

class Kinds : public Utenti, public ::testing::WithParamInterface<KindCase>
{
};

TEST_P(Kinds, TheRowsKindDecidesTheFifthTabAndTheLogin)
{
    const KindCase& c = GetParam();
    shop.Value("UPDATE Clienti SET TipoUtente=? WHERE ID=?", {c.kind, c.id});
    CUtentiViewCore core(shop.Db(), "it", "it");
    while (core.CurrentID() != c.id)
        core.OnCommand(ID_RECORD_NEXT);
    const CUtentiViewCore::Controls& controls = core.GetControls();
    EXPECT_EQ(controls.fifth, c.fifth);
    EXPECT_EQ(controls.bLogin, c.login);
    EXPECT_EQ(controls.bCliente, !c.login);
    EXPECT_EQ(controls.bMainReadOnly, c.readOnly);
    EXPECT_EQ(controls.strScontoPredefinito, QString::fromUtf8(c.boxTitle));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Kinds,
    ::testing::Values(
        KindCase{"Agent", 9, 3, CUtentiViewCore::TabClienti, true, false, "Provvigione predefinita"},
        KindCase{"B2B", 5, 0, CUtentiViewCore::TabDestinatari, true, false, "Sconto predefinito"},
        KindCase{"B2C", 5, 1, CUtentiViewCore::TabDestinatari, true, false, "Sconto predefinito"},
        KindCase{"Mailing", 5, 2, CUtentiViewCore::NoFifthTab, true, false, "Sconto predefinito"},
        KindCase{"Consignee", 5, 4, CUtentiViewCore::NoFifthTab, false, false, "Sconto predefinito"},
        KindCase{"AnonymousCustomer", 0, 1, CUtentiViewCore::NoFifthTab, true, true, "Sconto predefinito"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Utenti, TheFormsValuesAreStoredAsTheFieldsRead)
{
    CUtentiViewCore core(shop.Db(), "it", "it");
    while (core.CurrentID() != 5)
        core.OnCommand(ID_RECORD_NEXT);
    UtenteForm& f = core.Form();
    f.nListino = 1;   // "Prezzo 1" stores 1 on a customer
    f.nLingua = 2;
    f.strValiditaDal = QStringLiteral("01/02/2026");
    f.strFido = QStringLiteral("1.500,50");
    f.nGruppo = 0;
    ASSERT_TRUE(core.IsRecordModified());
    ASSERT_TRUE(core.SaveRecord());
    EXPECT_EQ(shop.Value("SELECT IDListino FROM Clienti WHERE ID=5").toInt(), 1);
    EXPECT_EQ(shop.Value("SELECT CodiceLingua FROM Clienti WHERE ID=5").toString(), "en");
    EXPECT_EQ(shop.Value("SELECT ValiditaDal FROM Clienti WHERE ID=5").toString().left(10), "2026-02-01");
    EXPECT_TRUE(shop.Value("SELECT ValiditaAl FROM Clienti WHERE ID=5").isNull());
    EXPECT_DOUBLE_EQ(shop.Value("SELECT Fido FROM Clienti WHERE ID=5").toDouble(), 1500.5);
    // Shown again, nothing differs.
    core.DisplayRecord();
    EXPECT_FALSE(core.IsRecordModified());
    // "Non selezionata" leaves the stored language alone.
    core.Form().nLingua = 0;
    EXPECT_FALSE(core.IsRecordModified());
}

TEST_F(Utenti, AbandoningAnInsertionAsksAndWritesNothing)
{
    CUtentiViewCore core(shop.Db(), "it", "it");
    const qint32 shown = core.CurrentID();
    Insert(core, "Prova", "prova");
    boxes.Answer(QMessageBox::No);
    core.OnCommand(ID_RECORD_INSERT);
    EXPECT_TRUE(core.IsInserting());
    core.OnCommand(ID_RECORD_INSERT);
    EXPECT_FALSE(core.IsInserting());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("ATTENZIONE: L'inserimento in corso verrà annullato.\nConfermi ?"));
    EXPECT_EQ(core.CurrentID(), shown);
    EXPECT_EQ(shop.Count("Clienti", "UserID='prova'"), 0);
}

} // namespace
