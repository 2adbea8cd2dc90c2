#include "platform/asp/testing/CAspTestHost.h"

#include "platform/asp/testing/CAspTestPage.h"

#include <QDir>

#include <stdexcept>

namespace {

// Joins a site path below a folder and checks that the result stays there.
QString Below(const QString& folder, const QString& rest)
{
    const QString base = QDir::cleanPath(folder);
    const QString path = QDir::cleanPath(base + QLatin1Char('/') + rest);
    if (path != base && !path.startsWith(base + QLatin1Char('/')))
        throw std::runtime_error(("Percorso fuori dal sito: " + rest).toStdString());
    return path;
}

} // namespace

CAspTestHost::CAspTestHost(const QString& rootFolder, bool localMode)
    : m_root(rootFolder), m_localMode(localMode)
{
}

CAspTestHost::~CAspTestHost() = default;

void CAspTestHost::AddVirtualFolder(const QString& virtualPath, const QString& folder)
{
    m_virtual.insert(virtualPath.toLower(), folder);
}

std::unique_ptr<CAspTestPage> CAspTestHost::NewPage()
{
    return std::make_unique<CAspTestPage>(*this);
}

QString CAspTestHost::MapPath(const QString& virtualPath) const
{
    QString path = virtualPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    const QString lower = path.toLower();
    for (auto it = m_virtual.constBegin(); it != m_virtual.constEnd(); ++it) {
        if (lower == it.key() || lower.startsWith(it.key() + QLatin1Char('/')))
            return Below(it.value(), path.mid(it.key().size()));
    }
    return Below(m_root, path);
}
