#include "desktop/design/CPageGenerator.h"

CPageGenerator::CPageGenerator(CDaoDatabase& project, const QString& installFolder,
                               const QString& projectFolder)
    : m_project(project), m_strInstallFolder(installFolder), m_strProjectFolder(projectFolder)
{
}

CPageGenerator::~CPageGenerator() = default;

void CPageGenerator::RegeneratePageTree(qint32) {}

void CPageGenerator::RegenerateProject() {}

QString CPageGenerator::GeneratePages(qint32, bool) { return QString(); }
