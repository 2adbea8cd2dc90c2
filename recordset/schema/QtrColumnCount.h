#pragma once

// Counts the columns of a .def file, for a table class's field count:
//   m_nFields = 0
//   #define QTR_COLUMN QTR_COUNT
//   #include "recordset/schema/tables/Prodotti.def"
//   #undef QTR_COLUMN
//       ;
#define QTR_COUNT(kind, name) +1
