#pragma once

#include <QString>

// Raises the marker that the project's site must be updated: the file
// "upd.qtr" in the project folder. False when the marker could not be
// written (a save must then not pass for done); an empty folder (no
// project) has nothing to mark.
bool AlertUpd(const QString& projectFolder);
// Clears it, once the site update has sent everything.
void DeleteAlertUpd(const QString& projectFolder);
bool IsAlertUpd(const QString& projectFolder);

// Creates every missing folder of path; false when one can't be made.
bool CreatePath(const QString& path);

// The search words of a text as stored in ParoleChiave.Keywords: lower
// case, one blank between words, each word once, in order of appearance.
QString ElaboraKeywords(const QString& text);
