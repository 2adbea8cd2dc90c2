#include "desktop/shell/projects/CProjectShopName.h"

#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"

#include <QFileInfo>
#include <QSqlQuery>

// Read without a table class: the project is not the open one, and a
// damaged or missing database only leaves the folder as the name.
QString CProjectShopName::Of(const QString& projectFolder)
{
    const QString path = CProjectFolder::DatabasePath(CProjectFolder::WithoutSlash(projectFolder));
    if (!QFileInfo::exists(path))
        return projectFolder;
    QString name;
    try {
        CDaoDatabase database;
        database.Open(path);
        QSqlQuery query(database.Connection());
        if (query.exec(QStringLiteral("SELECT RagioneSociale FROM Configurazione ORDER BY ID")) && query.next())
            name = query.value(0).toString().trimmed();
        query.finish();
        database.Close();
    } catch (const CDaoException&) {
        return projectFolder;
    }
    return name.isEmpty() ? projectFolder : name;
}
