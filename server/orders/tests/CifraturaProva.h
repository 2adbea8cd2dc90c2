#pragma once

#include "server/orders/IOrdineCifraturaCarta.h"

#include <QByteArray>
#include <QMessageAuthenticationCode>
#include <QUrlQuery>

// A stand-in for the bank's encrypted-string component: the "encrypted"
// string is the fields, signed with a key the shop and the stand-in bank
// share (HMAC-SHA256), so a string changed on the way fails to decrypt.
// Error 1: no shop login; 2: a string that is not signed with the key or
// names another shop.
class CifraturaProva : public IOrdineCifraturaCarta
{
public:
    explicit CifraturaProva(QByteArray chiave) : m_chiave(std::move(chiave)) {}

    // The bank's answer for a payment, as the stand-in bank sends it.
    static QString Risposta(const QByteArray& chiave, const QString& login, const QString& numOrdine,
                            const QString& esito, const QString& autorizzazione, const QString& importo)
    {
        QUrlQuery q;
        q.addQueryItem("login", login);
        q.addQueryItem("tid", numOrdine);
        q.addQueryItem("amount", importo);
        q.addQueryItem("result", esito);
        q.addQueryItem("auth", autorizzazione);
        return Firma(chiave, q);
    }

    void SetShopLogin(const QString& v) override { m_login = v; }
    void SetCurrency(const QString& v) override { m_valuta = v; }
    void SetAmount(const QString& v) override { m_importo = v; }
    void SetShopTransactionID(const QString& v) override { m_tid = v; }
    void SetBuyerName(const QString&) override {}
    void SetBuyerEmail(const QString&) override {}
    void SetLanguage(const QString&) override {}
    void SetCustomInfo(const QString&) override {}
    void Encrypt() override
    {
        m_errore = m_login.isEmpty() ? 1 : 0;
        if (m_errore)
            return;
        QUrlQuery q;
        q.addQueryItem("login", m_login);
        q.addQueryItem("currency", m_valuta);
        q.addQueryItem("amount", m_importo);
        q.addQueryItem("tid", m_tid);
        m_cifrato = Firma(m_chiave, q);
    }
    int GetErrorCode() const override { return m_errore; }
    QString GetEncryptedString() const override { return m_cifrato; }
    QString GetShopLogin() const override { return m_login; }

    void SetEncryptedString(const QString& v) override { m_cifrato = v; }
    void Decrypt() override
    {
        m_esito.clear();
        const QStringList parti = m_cifrato.split('.');
        const QByteArray dati = parti.value(0).toLatin1();
        const QByteArray firma = QMessageAuthenticationCode::hash(dati, m_chiave, QCryptographicHash::Sha256).toHex();
        const QUrlQuery q(QString::fromUtf8(QByteArray::fromBase64(dati, QByteArray::Base64UrlEncoding)));
        m_errore = parti.size() != 2 || parti[1].toLatin1() != firma || q.queryItemValue("login") != m_login ? 2 : 0;
        if (m_errore)
            return;
        m_esito = q.queryItemValue("result");
        m_tid = q.queryItemValue("tid");
        m_autorizzazione = q.queryItemValue("auth");
        m_importo = q.queryItemValue("amount");
    }
    QString GetTransactionResult() const override { return m_esito; }
    QString GetShopTransactionID() const override { return m_tid; }
    QString GetAuthorizationCode() const override { return m_autorizzazione; }
    QString GetAmount() const override { return m_importo; }

    // What the last Encrypt signed, for the tests' checks.
    QString Importo() const { return m_importo; }

private:
    static QString Firma(const QByteArray& chiave, const QUrlQuery& q)
    {
        const QByteArray dati = q.toString(QUrl::FullyEncoded).toUtf8().toBase64(QByteArray::Base64UrlEncoding);
        return QString::fromLatin1(dati + '.'
                                   + QMessageAuthenticationCode::hash(dati, chiave, QCryptographicHash::Sha256).toHex());
    }

    QByteArray m_chiave;
    QString m_login, m_valuta, m_importo, m_tid, m_cifrato, m_esito, m_autorizzazione;
    int m_errore = 0;
};
