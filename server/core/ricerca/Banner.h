#pragma once

#include "server/core/CQtrServerObject.h"

#include <QDate>

// The banners of one place of the site take turns: each call takes the
// next eligible banner after the one shown last (by ID, starting again
// from the first), within its dates and until it has appeared as often as
// the merchant planned; every appearance of a banner with a plan is
// counted in the database.
class Banner : public CQtrServerObject
{
    Q_OBJECT
    Q_PROPERTY(QString Link MEMBER Link)
    Q_PROPERTY(QString Percorso MEMBER Percorso)
    Q_PROPERTY(bool FlagEsterno MEMBER FlagEsterno)

public:
    explicit Banner(QObject* parent = nullptr);
    ~Banner() override;

    QString Link;
    QString Percorso;
    bool FlagEsterno = false;

    // Tipo: the code of the place. True when a banner was chosen and its
    // file found.
    Q_INVOKABLE bool Seleziona(const QVariant& Tipo);
    Q_INVOKABLE void SetConn(QObject* Connect);

    void ImpostaOggi(const QDate& oggi) { m_oggi = oggi; }

private:
    // The banner's file in the banner folder ("12.gif"), empty when none.
    QString FileBanner(qint32 id) const;

    QDate m_oggi;
};
