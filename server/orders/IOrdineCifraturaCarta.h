#pragma once

#include <QString>

// The bank's encrypted-string component, as the shop calls it: the payment
// data go in, one encrypted string comes out for the bank's page; the
// bank's answer comes back encrypted and is read through it. A real bank's
// connector answers these calls; GetErrorCode 0 means success and
// GetTransactionResult "OK" a payment made, of the amount GetAmount gives
// (decimal point, as SetAmount took it).
class IOrdineCifraturaCarta
{
public:
    virtual ~IOrdineCifraturaCarta() = default;

    virtual void SetShopLogin(const QString& login) = 0;
    virtual void SetCurrency(const QString& currency) = 0;
    virtual void SetAmount(const QString& amount) = 0;
    virtual void SetShopTransactionID(const QString& id) = 0;
    virtual void SetBuyerName(const QString& name) = 0;
    virtual void SetBuyerEmail(const QString& email) = 0;
    virtual void SetLanguage(const QString& language) = 0;
    virtual void SetCustomInfo(const QString& info) = 0;
    virtual void Encrypt() = 0;
    virtual int GetErrorCode() const = 0;
    virtual QString GetEncryptedString() const = 0;
    virtual QString GetShopLogin() const = 0;

    virtual void SetEncryptedString(const QString& encrypted) = 0;
    virtual void Decrypt() = 0;
    virtual QString GetTransactionResult() const = 0;
    virtual QString GetShopTransactionID() const = 0;
    virtual QString GetAmount() const = 0;
    virtual QString GetAuthorizationCode() const = 0;
};
