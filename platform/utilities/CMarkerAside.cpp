#include "platform/utilities/CMarkerAside.h"

#include "platform/utilities/QtrUtilities.h"

bool CMarkerAside::PassOn(const QString& projectFolder) const
{
    return !IsAlertUpd(Folder()) || AlertUpd(projectFolder);
}
