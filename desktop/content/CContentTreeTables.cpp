#include "desktop/content/CContentTreeTables.h"

#include "desktop/content/CContentRows.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/CArgomentiLingueSet.h"
#include "recordset/CArgomentiSet.h"
#include "recordset/CSezioniLingueSet.h"
#include "recordset/CSezioniSet.h"

#include <QSqlQuery>

namespace {

using Rows = CContentRows;

// What differs between the sections and the topics.
struct SezioniTraits
{
    using Main = CSezioniSet;
    using Lang = CSezioniLingueSet;
    static constexpr const char* kParent = "IDSezionePadre";
    static constexpr const char* kOwnerCriteria = "IDSezione=%d AND CodiceLingua='%s'";
    static constexpr const char* kLinks = "SELECT COUNT(DISTINCT IDArticolo) FROM SezioniArticoli WHERE IDSezione IN (%1)";
    static qint32& Parent(Main& row) { return row.m_IDSezionePadre; }
    static qint32& Owner(Lang& row) { return row.m_IDSezione; }
    static bool* Switch(Main& row, int i)
    {
        bool* switches[] = {&row.m_Attivo, &row.m_DataPubblicazione, &row.m_Stampa, &row.m_Segnalazione, &row.m_Voto};
        return switches[i];
    }
    static void FlagPicture(Lang& row) { row.m_ModificataFoto = true; }
    static void CopyExtra(Lang& to, Lang& from) { to.m_ModificataFoto = from.m_ModificataFoto; }
    static void SetKind(Main&, int) {}
    static void CopyKind(Main&, Main&) {}
};

struct ArgomentiTraits
{
    using Main = CArgomentiSet;
    using Lang = CArgomentiLingueSet;
    static constexpr const char* kParent = "IDArgomentoPadre";
    static constexpr const char* kOwnerCriteria = "IDArgomento=%d AND CodiceLingua='%s'";
    static constexpr const char* kLinks = "SELECT COUNT(*) FROM %2 WHERE IDArgomento IN (%1)";
    static qint32& Parent(Main& row) { return row.m_IDArgomentoPadre; }
    static qint32& Owner(Lang& row) { return row.m_IDArgomento; }
    static bool* Switch(Main&, int) { return nullptr; }
    static void FlagPicture(Lang&) {}
    static void CopyExtra(Lang&, Lang&) {}
    static void SetKind(Main& row, int kind) { row.m_Tipo = static_cast<quint8>(kind); }
    static void CopyKind(Main& to, Main& from) { to.m_Tipo = from.m_Tipo; }
};

template <class T>
class TreeTables : public IContentTreeTables
{
public:
    using Main = typename T::Main;
    using Lang = typename T::Lang;

    // kind: the topics' Tipo; -1 for sections, which have none.
    TreeTables(CDaoDatabase& db, int kind, const QString& projectFolder)
        : m_db(db), m_nKind(kind), m_strProjectFolder(projectFolder)
    {
    }

    QVector<Row> Rows() override
    {
        QVector<Row> rows;
        Main set(&m_db);
        set.SetFilter(KindCriteria());
        set.m_strSort = QString::fromLatin1(T::kParent) + QStringLiteral(",Ordine");
        set.Open();
        for (; !set.IsEOF(); set.MoveNext())
            rows.append({set.m_ID, T::Parent(set)});
        return rows;
    }

    bool Texts(qint32 id, const QString& language, QString* nome, QString* descrizione) override
    {
        Lang texts(&m_db);
        if (!FindTexts(texts, id, language))
            return false;
        *nome = texts.m_Nome;
        *descrizione = texts.m_Descrizione;
        return true;
    }

    Main* Find(Main& set, qint32 id) { return Rows::OpenWhere(set, Rows::ById(id)) ? &set : nullptr; }

    IContentTreeTables::Main ReadMain(qint32 id) override
    {
        IContentTreeTables::Main values;
        Main set(&m_db);
        if (!Find(set, id))
            return values;
        values.codice = set.m_Codice;
        for (int i = 0; i < kSwitchCount; ++i)
            if (bool* value = T::Switch(set, i))
                values.switches[i] = *value;
        return values;
    }

    bool CodeInUse(const QString& code, qint32 self) override
    {
        Main set(&m_db);
        return Rows::OpenWhere(set, CDaoCriteria::Format(QStringLiteral("Codice='%s' AND ID<>%d"), {code, self})
                                  .And(KindCriteria()));
    }

    qint32 NextID() override
    {
        Main set(&m_db);
        set.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
        set.Open();
        return set.GetNextID();
    }

    void InsertMain(qint32 id, qint32 parent, const IContentTreeTables::Main& values) override
    {
        Main set(&m_db);
        set.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
        set.Open();
        set.AddNew();
        set.m_ID = id;
        T::Parent(set) = parent;
        set.m_Ordine = id;   // after its sisters
        T::SetKind(set, m_nKind);
        Write(set, values);
    }

    void UpdateMain(qint32 id, const IContentTreeTables::Main& values) override
    {
        Main set(&m_db);
        if (!Find(set, id))
            return;
        set.Edit();
        Write(set, values);
    }

    void WriteTexts(qint32 id, const QString& language, const QString& nome, const QString& descrizione,
                    bool flagPicture) override
    {
        Lang texts(&m_db);
        if (FindTexts(texts, id, language)) {
            texts.Edit();
            if (!flagPicture) {
                texts.m_Nome = nome;
                texts.m_Descrizione = descrizione;
            }
        } else {
            const qint32 rowId = texts.GetNextID();
            texts.AddNew();
            texts.m_ID = rowId;
            T::Owner(texts) = id;
            texts.m_CodiceLingua = language;
            texts.m_Nome = nome;
            texts.m_Descrizione = descrizione;
        }
        if (flagPicture)
            T::FlagPicture(texts);
        texts.m_Modificato = true;
        texts.Update();
    }

    void SwapOrder(qint32 a, qint32 b) override { Rows::SwapOrder<Main>(m_db, a, b); }

    void SetParent(qint32 id, qint32 parent) override
    {
        Main set(&m_db);
        if (!Find(set, id))
            return;
        set.Edit();
        T::Parent(set) = parent;
        set.m_Modificato = true;
        set.Update();
    }

    void Delete(qint32 id) override
    {
        Main set(&m_db);
        set.m_strProjectFolder = m_strProjectFolder;
        if (Find(set, id))
            set.Delete();
    }

    qint32 CopyRow(qint32 source, qint32 parent, const QStringList& languages) override
    {
        Main from(&m_db);
        if (!Find(from, source))
            return source;
        const qint32 id = NextID();
        Main to(&m_db);
        to.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
        to.Open();
        to.AddNew();
        to.m_ID = id;
        to.m_IDEsterno = from.m_IDEsterno;
        to.m_Codice.clear();
        to.m_Ordine = id;
        T::Parent(to) = parent;
        T::CopyKind(to, from);
        for (int i = 0; i < kSwitchCount; ++i)
            if (bool* value = T::Switch(to, i))
                *value = *T::Switch(from, i);
        to.m_Modificato = true;
        to.Update();
        for (const QString& language : languages) {
            Lang texts(&m_db);
            if (!FindTexts(texts, source, language))
                continue;
            Lang copy(&m_db);
            copy.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
            copy.Open();
            const qint32 rowId = copy.GetNextID();
            copy.AddNew();
            copy.m_ID = rowId;
            T::Owner(copy) = id;
            copy.m_CodiceLingua = language;
            copy.m_Nome = texts.m_Nome;
            copy.m_Descrizione = texts.m_Descrizione;
            T::CopyExtra(copy, texts);
            copy.m_Modificato = true;
            copy.Update();
        }
        return id;
    }

    int LinkedCount(const QVector<qint32>& ids) override
    {
        if (ids.isEmpty())
            return 0;
        QStringList marks;
        for (int i = 0; i < ids.size(); ++i)
            marks << QStringLiteral("?");
        QString sql = QString::fromLatin1(T::kLinks).arg(marks.join(QLatin1Char(',')));
        if (m_nKind >= 0)
            sql = sql.arg(m_nKind == 1 ? QStringLiteral("InterventiChat") : QStringLiteral("InterventiForum"));
        QSqlQuery query(m_db.Connection());
        query.prepare(sql);
        for (qint32 id : ids)
            query.addBindValue(id);
        CDaoDatabase::Exec(query, sql);
        return query.next() ? query.value(0).toInt() : 0;
    }

private:
    CDaoCriteria KindCriteria() const
    {
        return m_nKind < 0 ? CDaoCriteria() : CDaoCriteria::Format(QStringLiteral("Tipo=%d"), {m_nKind});
    }

    bool FindTexts(Lang& texts, qint32 id, const QString& language)
    {
        return Rows::OpenWhere(texts, CDaoCriteria::Format(QString::fromLatin1(T::kOwnerCriteria), {id, language}));
    }

    void Write(Main& set, const IContentTreeTables::Main& values)
    {
        set.m_Codice = values.codice;
        for (int i = 0; i < kSwitchCount; ++i)
            if (bool* value = T::Switch(set, i))
                *value = values.switches[i];
        set.m_Modificato = true;
        set.Update();
    }

    CDaoDatabase& m_db;
    int m_nKind;
    QString m_strProjectFolder;
};

} // namespace

std::unique_ptr<IContentTreeTables> CContentTreeTables::Sezioni(CDaoDatabase& database, const QString& projectFolder)
{
    return std::make_unique<TreeTables<SezioniTraits>>(database, -1, projectFolder);
}

std::unique_ptr<IContentTreeTables> CContentTreeTables::Argomenti(CDaoDatabase& database, int kind,
                                                                   const QString& projectFolder)
{
    return std::make_unique<TreeTables<ArgomentiTraits>>(database, kind, projectFolder);
}
