#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CDaoDatabase;
class CQTRDaoRecordset;

// The rules of the one-time-password files of the card gateway: a request
// file (".ric") into OTPRichieste and an answer file (".ris") into
// OTPRisposte, one password per line. A file read before (its first
// password already stored) is refused; each file is loaded in one
// transaction, so a failed load leaves no row of it and the file keeps its
// name; a loaded file is renamed with "ok" appended.
class COTPSellaViewCore
{
public:
    // Below this many request passwords the view warns that the shop is
    // running out of them.
    static constexpr int kFewRequests = 50;

    explicit COTPSellaViewCore(CDaoDatabase& db);
    ~COTPSellaViewCore();

    int Richieste() const { return m_nRichieste; }
    int Risposte() const { return m_nRisposte; }
    // The warning about the request passwords left, or empty.
    QString Warning() const;

    // Status text and position of the progress, for the view.
    std::function<void(const QString& status, int done, int total)> m_progress;

    // Loads the chosen files; empty or missing paths are skipped.
    void Load(const QString& requestPath, const QString& answerPath);

private:
    enum Stop { GoOn = 0, RequestsStopped = 1, AllStopped = 2 };

    bool ReadLines(const QString& path, QStringList* lines) const;
    bool ReadBefore(CQTRDaoRecordset& set, const QStringList& lines, const QString& status);
    void Insert(CQTRDaoRecordset& set, const QStringList& lines, const QString& status, int* counter);
    void Report(const QString& status, int done, int total);

    CDaoDatabase& m_db;
    std::unique_ptr<CQTRDaoRecordset> m_pRichieste;
    std::unique_ptr<CQTRDaoRecordset> m_pRisposte;
    int m_nRichieste = 0;
    int m_nRisposte = 0;
};
