#include "desktop/customers/CUtentiInteressi.h"

#include "recordset/CInteressiLingueSet.h"
#include "recordset/CInteressiSet.h"
#include "recordset/CInteressiUtentiSet.h"

CUtentiInteressi::CUtentiInteressi(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage)
    : m_db(db), m_strCurrent(currentLanguage), m_strDefault(defaultLanguage)
{
}

QString CUtentiInteressi::NameOf(qint32 interest) const
{
    CInteressiLingueSet texts(&m_db);
    texts.SetFilter(CDaoCriteria(QStringLiteral("IDInteresse=?"), {interest}));
    texts.Open();
    // An interest named in neither language still shows the name it has.
    for (const QString& language : {m_strCurrent, m_strDefault, QString()}) {
        if (language.isEmpty() ? !texts.IsEOF() : texts.FindFirst(QStringLiteral("CodiceLingua=?"), {language})) {
            if (language.isEmpty())
                texts.MoveFirst();
            return texts.m_Nome;
        }
    }
    return QString();
}

void CUtentiInteressi::Load(qint32 user)
{
    m_nUser = user;
    m_entries.clear();
    CInteressiSet interests(&m_db);
    interests.Open();
    for (; !interests.IsEOF(); interests.MoveNext())
        m_entries.append({interests.m_ID, QLatin1Char(' ') + NameOf(interests.m_ID), false});
    if (user < 0)
        return;
    CInteressiUtentiSet ticks(&m_db);
    ticks.SetFilter(CDaoCriteria(QStringLiteral("IDUtente=?"), {user}));
    ticks.Open();
    for (; !ticks.IsEOF(); ticks.MoveNext())
        for (Entry& entry : m_entries)
            if (entry.nID == ticks.m_IDInteresse)
                entry.bTicked = true;
}

void CUtentiInteressi::SetTicked(qint32 interest, bool ticked)
{
    if (m_nUser < 0)
        return;
    CInteressiUtentiSet rows(&m_db);
    rows.SetFilter(CDaoCriteria(QStringLiteral("IDUtente=? AND IDInteresse=?"), {m_nUser, interest}));
    rows.Open();
    if (ticked && rows.IsEOF()) {
        rows.AddNew();
        rows.m_ID = rows.GetNextID();
        rows.m_IDUtente = m_nUser;
        rows.m_IDInteresse = interest;
        rows.m_Modificato = true;
        rows.Update();
    } else if (!ticked && !rows.IsEOF()) {
        rows.Delete();
    }
    for (Entry& entry : m_entries)
        if (entry.nID == interest)
            entry.bTicked = ticked;
}
