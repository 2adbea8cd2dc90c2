#pragma once

#include <QString>

// Makes a demo shop folder: the shop's own pages, its database (a copy of
// the installation's reference database filled with the demo catalogue)
// under db/database.mdb and the pictures under images/. The folder is made
// beside the target and renamed over it, so it is whole or not there.
class DemoShopMaker
{
public:
    struct Sources
    {
        QString data;                // the demo catalogue's data file
        QString referenceDatabase;   // database.mdb of the installation
        QString pages;               // the installation's template/system folder
        QString pictures;            // template/images: the site's starting style sheet
    };

    // The installation's files beside the program: demo/demoshop.txt,
    // db/database.mdb, template/system and template/images.
    static Sources Installed(const QString& programFolder);

    // Throws DemoDataError or CDaoException with the reason.
    static void Make(const Sources& sources, const QString& shopFolder);

private:
    static void CopyFolder(const QString& from, const QString& to);
};
