#include "desktop/design/CStyleSheetWriter.h"

CStyleSheetWriter::CStyleSheetWriter(CDaoDatabase& project, const QString& projectFolder)
    : m_project(project), m_strProjectFolder(projectFolder)
{
}

CStyleSheetWriter::~CStyleSheetWriter() = default;

void CStyleSheetWriter::WriteStyleSheets(qint32) {}
