#pragma once

#include <QString>

class CDaoDatabase;

// Pictures of the product card's image, colours and sizes pages, hosted in
// a small window with the card's image frame, and of the size tables dialog.
void SaveProductPages(CDaoDatabase& db, const QString& project, const QString& scratch, const QString& out);
