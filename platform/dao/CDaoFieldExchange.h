#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>

class CDaoRecordset;

// How a text column is stored when it differs from what the member holds
// (the enciphered columns): toStored runs when a save collects the changed
// members, fromStored after a row is read into them.
struct CDaoTextCodec
{
    std::function<QString(const QString&)> toStored;
    std::function<QString(const QString&)> fromStored;
};

// The field-exchange pass a recordset runs over its bound members.
class CDaoFieldExchange
{
public:
    enum Operation {
        BindField,      // count and name the bound columns
        SetDefault,     // members to their defaults (construction, AddNew)
        Fixup,          // current row into the members, cache refreshed
        SetDirtyField,  // changed members into the edit buffer
    };

    CDaoFieldExchange(Operation op, CDaoRecordset* prs) : m_nOperation(op), m_prs(prs) {}

    Operation m_nOperation;
    CDaoRecordset* m_prs;
    int m_nField = 0;   // index of the column being exchanged
};

// The value a date member holds when nothing was stored: 30 December 1899.
QDateTime DaoZeroDate();
QString DaoDateToText(const QDateTime& value);
QDateTime DaoDateFromText(const QVariant& stored);

void DFX_Long(CDaoFieldExchange* pFX, const char* name, qint32& value);
void DFX_Short(CDaoFieldExchange* pFX, const char* name, qint16& value);
void DFX_Byte(CDaoFieldExchange* pFX, const char* name, quint8& value);
void DFX_Single(CDaoFieldExchange* pFX, const char* name, float& value);
void DFX_Double(CDaoFieldExchange* pFX, const char* name, double& value);
void DFX_Bool(CDaoFieldExchange* pFX, const char* name, bool& value);
void DFX_DateTime(CDaoFieldExchange* pFX, const char* name, QDateTime& value);
void DFX_Text(CDaoFieldExchange* pFX, const char* name, QString& value,
              const CDaoTextCodec* codec = nullptr);
