#pragma once

// The column kinds a table description uses, and what each becomes in a
// table class: the member's type, its default and its exchange call.
// A table's columns are listed once, in recordset/schema/tables/<Table>.def,
// as QTR_COLUMN(Kind, Name) lines; the table classes and the database
// schema are both made from those lists.

#include "platform/dao/CDaoFieldExchange.h"
#include "recordset/QtrCipherCodec.h"

#include <QDateTime>
#include <QString>

using QtrMember_Long = qint32;
using QtrMember_Short = qint16;
using QtrMember_Byte = quint8;
using QtrMember_Single = float;
using QtrMember_Double = double;
using QtrMember_Bool = bool;
using QtrMember_DateTime = QDateTime;
using QtrMember_Text = QString;
using QtrMember_EText = QString;   // enciphered text: plain in the member

inline qint32 QtrDefault_Long() { return 0; }
inline qint16 QtrDefault_Short() { return 0; }
inline quint8 QtrDefault_Byte() { return 0; }
inline float QtrDefault_Single() { return 0.0f; }
inline double QtrDefault_Double() { return 0.0; }
inline bool QtrDefault_Bool() { return false; }
inline QDateTime QtrDefault_DateTime() { return DaoZeroDate(); }
inline QString QtrDefault_Text() { return QString(); }
inline QString QtrDefault_EText() { return QString(); }

inline void QtrDfx_Long(CDaoFieldExchange* p, const char* n, qint32& v) { DFX_Long(p, n, v); }
inline void QtrDfx_Short(CDaoFieldExchange* p, const char* n, qint16& v) { DFX_Short(p, n, v); }
inline void QtrDfx_Byte(CDaoFieldExchange* p, const char* n, quint8& v) { DFX_Byte(p, n, v); }
inline void QtrDfx_Single(CDaoFieldExchange* p, const char* n, float& v) { DFX_Single(p, n, v); }
inline void QtrDfx_Double(CDaoFieldExchange* p, const char* n, double& v) { DFX_Double(p, n, v); }
inline void QtrDfx_Bool(CDaoFieldExchange* p, const char* n, bool& v) { DFX_Bool(p, n, v); }
inline void QtrDfx_DateTime(CDaoFieldExchange* p, const char* n, QDateTime& v) { DFX_DateTime(p, n, v); }
inline void QtrDfx_Text(CDaoFieldExchange* p, const char* n, QString& v) { DFX_Text(p, n, v); }
inline void QtrDfx_EText(CDaoFieldExchange* p, const char* n, QString& v)
{
    DFX_Text(p, n, v, &QtrCipherCodec());
}

// A column that holds NULL until a value is written, where "not set" means
// something (ScontiProdotto's optional terms); in a table class it is an
// ordinary column, in the database it has no default.
#define QTR_NULLABLE_COLUMN(kind, name) QTR_COLUMN(kind, name)
// A table's text key, for the tables without ID (ContatoriID).
#define QTR_KEY_COLUMN(kind, name) QTR_COLUMN(kind, name)

// Inside a table class: one member per column of the .def file included
// after it, e.g.
//   #define QTR_COLUMN QTR_MEMBER
//   #include "recordset/schema/tables/Prodotti.def"
//   #undef QTR_COLUMN
#define QTR_MEMBER(kind, name) QtrMember_##kind m_##name = QtrDefault_##kind();
// Inside DoFieldExchange: one exchange call per column, in binding order.
#define QTR_EXCHANGE(kind, name) QtrDfx_##kind(pFX, #name, m_##name);
